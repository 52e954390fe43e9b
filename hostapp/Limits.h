#pragma once

namespace vellbatchrule {

// How the program meets the machine's limits: a write past the file size
// limit fails as a full disk does, instead of killing the program with a
// signal; memory that runs out ends the command with a message and exit 1.
namespace Limits {

// Before anything else: what runs out from here on is an error, not a signal.
void MeetAsErrors();

// Says that `command` ran out of memory (after the work has been undone); answers the exit code.
int OutOfMemory(const char* command);

}

}
