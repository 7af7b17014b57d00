#include "platform/ui/nib_registry.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/dispatch/main_loop.h"
#include "platform/ui/view_controller.h"

namespace ui {
namespace {

// The SDK's own nibs, loaded by its screens' tests, show that builders get their owner and their
// views are handed back; a builder that throws is the one case they never meet.
TEST(NibRegistryTest, AThrowingBuilderLoadsNothing) {
  dispatch::main_loop::TestScope scope;
  NibRegistry::framework().registerNib("TitleBar", [](const NibOwner&) -> std::vector<NibObject> {
    throw std::runtime_error("broken nib");
  });
  EXPECT_TRUE(NibRegistry::framework().load("TitleBar").empty());
  EXPECT_FALSE(NibRegistry::framework().instantiate<View>("TitleBar"));
  NibRegistry::framework().removeNib("TitleBar");
}

}  // namespace
}  // namespace ui
