#include "platform/ui/animation.h"

#include <algorithm>

namespace ui {

TimingFunction TimingFunction::named(Name name) {
  switch (name) {
    case Name::linear: return {0, 0, 1, 1};
    case Name::easeIn: return {0.42, 0, 1, 1};
    case Name::easeOut: return {0, 0, 0.58, 1};
    case Name::easeInEaseOut: return {0.42, 0, 0.58, 1};
    case Name::defaultTiming: return {};
  }
  return {};
}

double Animation::activeDuration() const {
  if (duration <= 0) return 0;
  return duration * std::max(repeatCount, 1.0);  // infinite for kRepeatForever
}

AnimationGroup::AnimationGroup(const AnimationGroup& other) : Animation(other) {
  for (const auto& animation : other.animations) animations.push_back(animation->copy());
}

AnimationGroup& AnimationGroup::operator=(const AnimationGroup& other) {
  if (this == &other) return *this;
  Animation::operator=(other);
  animations.clear();
  for (const auto& animation : other.animations) animations.push_back(animation->copy());
  return *this;
}

}  // namespace ui
