#pragma once
// Checked writes to standard output.

namespace vantreel {

// Keeps `reason` (an errno value) of the first write to standard output that
// failed: a later flush finds the data gone and could only say EIO.
void noteStandardOutputFailure(int reason);

// Flushes standard output. False, after saying why on standard error (once in
// a run, however often it is called), when any write to it has failed.
bool finishStandardOutput();

}  // namespace vantreel
