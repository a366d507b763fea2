#include "preview/live_server.h"

#include <gtest/gtest.h>

namespace binario::tool {
namespace {

TEST(LiveServerTest, OnlyGetsOfAPathAreAnswered) {
  struct Case {
    const char* request;
    const char* path;
  };
  const Case cases[] = {
      {"GET / HTTP/1.1\r\nHost: 127.0.0.1:8470\r\n\r\n", "/"},
      {"GET /events HTTP/1.1\r\n\r\n", "/events"},
      {"GET /?x=1 HTTP/1.1\r\n\r\n", "/"},
      {"POST / HTTP/1.1\r\n\r\n", ""},
      {"GET", ""},
      {"GET / HTTP/1.1\r\nHost: 127.0.0.1:8470", "/"},
  };
  for (const Case& c : cases) EXPECT_EQ(requested_path(c.request), c.path) << c.request;
}

// A page of another site whose name leads to this computer names that site:
// it never gets the author's texts.
TEST(LiveServerTest, OnlyRequestsForThisServerAreAnswered) {
  struct Case {
    const char* request;
    bool answered;
  };
  const Case cases[] = {
      {"GET / HTTP/1.1\r\nHost: 127.0.0.1:8470\r\n\r\n", true},
      {"GET / HTTP/1.1\r\nUser-Agent: x\r\nhost: localhost:8470\r\n\r\n", true},
      {"GET / HTTP/1.1\r\nHost: evil.example:8470\r\n\r\n", false},
      {"GET / HTTP/1.1\r\nHost: 127.0.0.1:9999\r\n\r\n", false},
      {"GET / HTTP/1.1\r\nX-Host: 127.0.0.1:8470\r\n\r\n", false},
      {"GET / HTTP/1.1\r\n\r\n", false},
      {"GET / HTTP/1.1\r\nHost: 127.0.0.1:8470", false},
  };
  for (const Case& c : cases) EXPECT_EQ(addressed_here(c.request, 8470), c.answered) << c.request;
}

}  // namespace
}  // namespace binario::tool
