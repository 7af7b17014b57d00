// How every server request of the SDK is made: its parameter map (the common parameters, the
// session's ids where the route carries them, then the route's own keys), "{name}" path placeholders
// filled from the map, the rest as the query (GET) or a JSON body (POST), the default headers and a
// 60-second time-out. A request that cannot be made is an error and is never sent.
#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

#include "platform/base/url.h"
#include "platform/net/header_fields.h"
#include "platform/net/request.h"
#include "velkor/network/error.h"

namespace velkor {

// Wire name -> value; text for everything that travels in a query, any JSON value in a body.
using Parameters = nlohmann::json;

enum class WithSession { no, yes };

// A new map: the common request parameters, then (yes) the current session's ids on top.
Parameters requestParameters(WithSession withSession);

// The URL with each "{name}" path component replaced by the text of the map's "name" (a number by
// its decimal form), which is then removed from the map. Empty when a placeholder has no value in the
// map; the map is then unchanged.
std::optional<base::Url> fillPathParameters(const base::Url& url, Parameters& parameters);

// One query item per pair in the map's order; a value that is not text gives an item without one.
std::vector<base::QueryItem> queryItems(const Parameters& parameters);

enum class QueryEncoding {
  items,   // the platform's query-item encoding: "&", "=", "+" and "#" in a value are escaped
  strict,  // every character outside rfc3986Unreserved() escaped
};

// A GET of the route with the map's placeholders filled and the rest as its query. A bad-URL error
// when a placeholder has no value or a name or value is not UTF-8.
Result<net::Request> makeGetRequest(const base::Url& route, Parameters parameters, QueryEncoding encoding);
// A POST of the route with the map's placeholders filled and the rest as a JSON body, with
// "Content-Type: application/json" and then `extraHeaders` on top of the default headers. A
// bad-URL error for a placeholder without a value; an encoding error when the map cannot be written
// as JSON (text that is not UTF-8).
Result<net::Request> makePostRequest(const base::Url& route, Parameters parameters,
                                     const net::HeaderFields& extraHeaders = {});

// "X-Tracking-Id" with the tracking id the common parameters held at the first request of the
// process; kept unchanged from then on.
const net::HeaderFields& defaultHeaders();
// Adds the default headers with `headers` on top (a given header replaces a default one) to the
// request's fields, appending to a field the request already holds.
void addHeaders(net::Request& request, const net::HeaderFields& headers = {});

// The error of a request that cannot be addressed.
Error badUrlError(std::string_view detail);

}  // namespace velkor
