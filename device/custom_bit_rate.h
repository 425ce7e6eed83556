// Bit rates outside the POSIX B-constants (14400 and 128000 among the
// module's speeds), where the platform can set them.
#pragma once

namespace vrx {

// Sets input and output rate of an open tty to `bitRate` exactly.  False
// when the platform has no way to (errno set).
bool SetCustomBitRate(int fd, int bitRate);

}  // namespace vrx
