#pragma once

namespace vantreel {

// True when standard output is a terminal. A Linux terminal shows UTF-8, not
// the Japanese code page the board glyphs are stored in.
bool outputIsTerminal();

}  // namespace vantreel
