# Fails when one of FILES includes anything but the C++ standard library and the project's own
# headers outside the platform layers (src/platform/qt, posix, win32). The logic then builds,
# and is tested, wherever a C++20 compiler is, and every call into the operating system or the
# toolkit stays behind the interfaces in src/platform/.
#   cmake -DROOT=<src> -DFILES=<a.cpp|b.h|...> -DSTAMP=<file touched on success> -P <this file>
string(REPLACE "|" ";" files "${FILES}")
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "<([^>]*)>")
      # Standard headers have no folder, no extension and no capitals: <vector>, <cstdint>.
      if(NOT CMAKE_MATCH_1 MATCHES "^[a-z_]+$")
        list(APPEND faults "${file}: ${line}")
      endif()
    elseif(line MATCHES "\"([^\"]*)\"")
      # A quoted name the compiler does not find in src/ would come from the system instead.
      if(NOT EXISTS "${ROOT}/${CMAKE_MATCH_1}" OR CMAKE_MATCH_1 MATCHES "^platform/(qt|posix|win32)/")
        list(APPEND faults "${file}: ${line}")
      endif()
    else()
      list(APPEND faults "${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Only the C++ standard library and the project's own headers belong "
    "here; the operating system and the toolkit go behind src/platform/:\n  ${text}")
endif()
file(TOUCH "${STAMP}")
