#pragma once
// The check command: is each puzzle line of a file a puzzle with exactly one
// solution? Every line is judged on its own.

namespace vantreel {

// Exit status of a check run; a worse case outranks a milder one.
enum CheckStatus : int { kCheckAllUnique = 0, kCheckInputError = 1, kCheckUsageError = 2, kCheckNotUnique = 3 };

// argv[0] is "check".
int runCheck(int argc, char** argv);

}  // namespace vantreel
