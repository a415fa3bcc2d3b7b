// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckedOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pc::sim {

CheckedOutput::CheckedOutput(int fd) : fd_(fd)
{
    // A closed descriptor is noted now, and its number held on /dev/null, so
    // that no file opened later takes its place and receives the output.
    if (::fcntl(fd_, F_GETFD) == -1 && errno == EBADF) {
        error_ = EBADF;
        const int placeholder = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (placeholder >= 0 && placeholder != fd_) {
            ::dup2(placeholder, fd_);
            ::close(placeholder);
        }
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

CheckedOutput::~CheckedOutput()
{
    if (fd_ >= 0)
        close();
}

bool CheckedOutput::writeBuffered()
{
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
        const ssize_t put = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            error_ = put < 0 ? errno : EIO;
        else
            next += put;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c)
{
    if (!writeBuffered())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int CheckedOutput::sync()
{
    return writeBuffered() ? 0 : -1;
}

std::string CheckedOutput::close()
{
    writeBuffered();
    if (fd_ >= 0 && ::close(fd_) != 0 && error_ == 0)
        error_ = errno;
    fd_ = -1;
    return error_ == 0 ? std::string() : std::string(std::strerror(error_));
}

} // namespace pc::sim
