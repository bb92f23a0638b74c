// What the process does to itself before it holds anything secret.
#pragma once

namespace quorvel {

// No core file, whatever the shell's limit, and no reading of this process's memory by other
// processes of the same user (ptrace, /proc/PID/mem): a crash or a debugger attached by a
// malicious program would otherwise carry the copy box and private lists out of it.
void forbidCoreDumps();

}  // namespace quorvel
