/* Preloaded into the tool by a test: each sqlite3_config call is passed on to
   SQLite, and those of the options the tool sets are added, with their
   results, to the file that ZOV_SQLITE_CONFIG_LOG names; when
   ZOV_SQLITE_CONFIG_REFUSE is set, the tool's calls are refused instead, as
   SQLite refuses them once it is initialised. SQLite calls it too, as it
   initialises: with one pointer (the page cache) and, when no allocator was
   set, with its own (which is never refused). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <sqlite3.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

int sqlite3_config(int option, ...) {
  int (*config)(int, ...) = (int (*)(int, ...))dlsym(RTLD_NEXT, "sqlite3_config");
  va_list arguments;
  va_start(arguments, option);
  static int malloc_calls = 0;
  const int sqlites_own = option == SQLITE_CONFIG_MALLOC && ++malloc_calls > 1;
  const int tools_option = !sqlites_own && (option == SQLITE_CONFIG_SINGLETHREAD ||
                                            option == SQLITE_CONFIG_MEMSTATUS ||
                                            option == SQLITE_CONFIG_MALLOC);
  int result;
  if (tools_option && getenv("ZOV_SQLITE_CONFIG_REFUSE") != NULL) {
    result = SQLITE_MISUSE;
  } else if (option == SQLITE_CONFIG_SINGLETHREAD) {
    result = config(option);
  } else if (option == SQLITE_CONFIG_MEMSTATUS) {
    result = config(option, va_arg(arguments, int));
  } else {
    result = config(option, va_arg(arguments, void*));
  }
  va_end(arguments);
  FILE* log = tools_option ? fopen(getenv("ZOV_SQLITE_CONFIG_LOG"), "a") : NULL;
  if (log != NULL) {
    fprintf(log, "%d %d\n", option, result);
    fclose(log);
  }
  return result;
}
