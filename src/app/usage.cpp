#include "app/usage.h"

const char* UsageText() {
    return R"(Usage: quillmere -compare|-merge [-base BASE] -left LEFT -right RIGHT
                 [-result FILE] [-report FILE] [-silent]
                 [-basetitle T] [-lefttitle T] [-righttitle T]

Compares two XML files, or three with their common base, node by node, and
merges them. Options start with "-" or "/" in any letter case; a value is the
next argument whatever it looks like.

  -compare            compare the files
  -merge              merge the files
  -base FILE          the common base: a three-way operation
  -left FILE          the left file (its character set is the result's)
  -right FILE         the right file
  -basetitle TEXT     names shown for the files instead of their names
  -lefttitle TEXT
  -righttitle TEXT
  -result FILE        where the merged result is saved
  -report FILE        write a plain-text report after loading ("-": standard
                      output)
  -silent             no window: a compare writes the report; a merge without
                      conflicts also writes the result
  --help, --version   print this text or the version and exit

Exit codes:
  0  done (differences found are no failure)
  1  a silent merge left conflicts unresolved; nothing was written
  2  a file could not be loaded, no format specification could be chosen,
     the result or report could not be written or the report names an input
     file, or the command line is wrong (an unknown option, an option without
     its value, both -compare and -merge, or files without either)
  3  the run needs the window, which this build does not have yet (no files
     given, or not silent)
)";
}

const char* VersionText() {
    return "quillmere " QUILLMERE_VERSION "\n";
}
