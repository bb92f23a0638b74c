#include "platform/posix/ProcessHardening.h"

#include <sys/prctl.h>
#include <sys/resource.h>

namespace quorvel {

void forbidCoreDumps() {
  // Both limits, so that nothing this process starts can raise it again; neither call can fail
  // for a process lowering its own limits.
  const rlimit none{0, 0};
  ::setrlimit(RLIMIT_CORE, &none);
  ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

}  // namespace quorvel
