// Plain loopback sockets for the test fixtures, one interface on POSIX and on Windows (where
// the socket layer is started once for the whole test process, apart from the library's own
// starts and stops).
#pragma once

#include <cstddef>
#include <cstdint>

namespace zefra::test::sockets {

using Handle = std::intptr_t;
inline constexpr Handle none = -1;

// Bound to 127.0.0.1 on a port the system picks (written to `port`); listening with `backlog`
// unless it is negative. `none` on failure.
Handle open(int backlog, std::uint16_t& port);
Handle accept(Handle listener);
bool waitReadable(Handle h, int milliseconds);  // false on time-out or error
// Bytes received, 0 when the peer closed, negative on error.
long receive(Handle h, void* data, std::size_t size);
bool send(Handle h, const void* data, std::size_t size);
// The next close resets the connection instead of ending it in order.
void resetOnClose(Handle h);
void shutdown(Handle h);
void close(Handle h);

}  // namespace zefra::test::sockets
