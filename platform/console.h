#pragma once

namespace vantreel {

// True when standard output is a terminal. A Linux terminal shows UTF-8, not
// the Japanese code page the board glyphs are stored in.
bool outputIsTerminal();

// True when standard error is a terminal: a progress bar is for a person only.
bool errorIsTerminal();

// True when standard output and standard error are the same terminal, so that
// what is written to one lands on the line the other is drawing.
bool outputSharesTerminalWithError();

}  // namespace vantreel
