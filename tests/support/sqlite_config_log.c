/* Preloaded into the tool by a test: each sqlite3_config call is passed on to
   SQLite, and those of the options the tool sets are added, with their
   results, to the file that ZOV_SQLITE_CONFIG_LOG names. SQLite calls it
   too, with one pointer (the page cache, as it initialises). */
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
  int result;
  if (option == SQLITE_CONFIG_SINGLETHREAD) {
    result = config(option);
  } else if (option == SQLITE_CONFIG_MEMSTATUS) {
    result = config(option, va_arg(arguments, int));
  } else {
    result = config(option, va_arg(arguments, void*));
  }
  va_end(arguments);
  FILE* log = NULL;
  if (option == SQLITE_CONFIG_SINGLETHREAD || option == SQLITE_CONFIG_MEMSTATUS ||
      option == SQLITE_CONFIG_MALLOC) {
    log = fopen(getenv("ZOV_SQLITE_CONFIG_LOG"), "a");
  }
  if (log != NULL) {
    fprintf(log, "%d %d\n", option, result);
    fclose(log);
  }
  return result;
}
