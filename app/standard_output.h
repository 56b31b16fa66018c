#pragma once
// Checked writes to standard output.

namespace vantreel {

// Flushes standard output. False, after saying why on standard error, when
// any write to it has failed during the run.
bool finishStandardOutput();

}  // namespace vantreel
