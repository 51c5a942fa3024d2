#include "display/display_scale.h"

namespace rt {

Box to_device(const Scale& s, const Box& b) {
  return {s.to_device(b.left), s.to_device(b.top), s.to_device(b.width), s.to_device(b.height)};
}

Box to_base(const Scale& s, const Box& b) {
  return {s.to_base(b.left), s.to_base(b.top), s.to_base(b.width), s.to_base(b.height)};
}

}  // namespace rt
