// Where an address that a web screen is asked to show goes. The SDK's web views show only web
// pages (http and https); store links, "tel:" and other apps' schemes go to the system, while
// script, file and data addresses are refused wherever they come from (a page's command, a link,
// a landing), since a page could use them to run script or read files in the app. So is an address
// without a scheme: where it leads depends on a base address the system does not have.
#pragma once

#include <optional>
#include <string>

#include "platform/base/url.h"

namespace velkor {

enum class AddressRoute { webPage, system, refused };

AddressRoute routeOf(const base::Url& url);

// The one gate to the system: hands the address on unless it is refused, or is a link of the SDK's
// own scheme ("velkor", as the routes write it) that no route reads, which no other app is meant
// to receive (both logged). True when it was handed on.
bool openInSystem(const base::Url& url);

}  // namespace velkor
