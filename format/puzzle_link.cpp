#include "format/puzzle_link.h"

namespace vantreel {
namespace {

// puzz.link and pzv.jp, http or https, "p?" or "p.html?", or no host at all:
// every form ends in this marker, so it alone says "link".
constexpr std::string_view kLinkMarker = "?kakuro/";

}  // namespace

std::size_t linkTailStart(std::string_view text) {
  const std::size_t marker = text.find(kLinkMarker);
  return marker == std::string_view::npos ? marker : marker + kLinkMarker.size();
}

}  // namespace vantreel
