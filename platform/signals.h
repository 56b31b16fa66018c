#pragma once

namespace vantreel {

// A write past the file size limit fails with an error instead of ending the process.
void ignoreFileSizeSignal();

// While a batch runs, a closed pipe on an output makes writes fail instead of
// ending the process; the batch then stops only its progress output.
void ignoreBrokenPipe();

// On Ctrl-C, SIGTERM or SIGHUP, removes `path` (kept, not copied: it must
// live until forgotten) and then ends the process by that signal as usual.
void removeOnInterrupt(const char* path);
void forgetOnInterrupt();

}  // namespace vantreel
