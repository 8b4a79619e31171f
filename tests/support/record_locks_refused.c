/* Preloaded into the tool by a test: a file system that takes no
   open-file-description lock, as some network and FUSE file systems do not,
   and, with ZOV_REFUSE_EVERY_LOCK set, no record lock on the tool's byte and
   no lock on a folder either. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/file.h>

int fcntl(int descriptor, int command, ...) {
  va_list arguments;
  va_start(arguments, command);
  void* argument = va_arg(arguments, void*);
  va_end(arguments);
  if (command == F_OFD_SETLK || command == F_OFD_SETLKW) {
    errno = EINVAL;
    return -1;
  }
  if (command == F_SETLK && getenv("ZOV_REFUSE_EVERY_LOCK") != NULL &&
      ((const struct flock*)argument)->l_start == INT64_MAX - 1) {
    errno = ENOLCK;
    return -1;
  }
  int (*real)(int, int, ...) = (int (*)(int, int, ...))dlsym(RTLD_NEXT, "fcntl");
  return real(descriptor, command, argument);
}

int flock(int descriptor, int operation) {
  if (getenv("ZOV_REFUSE_EVERY_LOCK") != NULL) {
    errno = ENOLCK;
    return -1;
  }
  int (*real)(int, int) = (int (*)(int, int))dlsym(RTLD_NEXT, "flock");
  return real(descriptor, operation);
}
