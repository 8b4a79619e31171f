/* Preloaded into the tool by a test: iconv_open fails as it does when the
   system has no memory left for a conversion. */
#include <errno.h>
#include <iconv.h>

iconv_t iconv_open(const char* to_charset, const char* from_charset) {
  (void)to_charset;
  (void)from_charset;
  errno = ENOMEM;
  return (iconv_t)-1;
}
