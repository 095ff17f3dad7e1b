#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when the scope ends.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor() {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Fd() const { return FFd; }

private:
    int FFd;
};

} // namespace

TFileBytes ReadRegularFile(const QString& fileName, qint64 limit) {
    TFileBytes out;
    const QByteArray path = QFile::encodeName(fileName);
    const TDescriptor file(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Fd() < 0) {
        out.Result = errno == ENOENT || errno == ENOTDIR ? TFileRead::Missing : TFileRead::Failed;
        return out;
    }
    struct stat info {};
    if (::fstat(file.Fd(), &info) != 0)
        return out;
    if (!S_ISREG(info.st_mode)) {
        out.Result = TFileRead::NotRegular;
        return out;
    }
    // The size is only a hint for the first allocation: the file may change while it is read.
    const qint64 want = std::min<qint64>(std::max<qint64>(info.st_size, 0), limit) + 1;
    out.Bytes.reserve(want);
    char buffer[65536];
    for (;;) {
        const qint64 room = limit + 1 - out.Bytes.size();
        if (room <= 0)
            break;
        const ssize_t n = ::read(file.Fd(), buffer, size_t(std::min<qint64>(room, sizeof buffer)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {TFileRead::Failed, {}, false};
        if (n == 0)
            break;
        out.Bytes.append(buffer, n);
    }
    if (out.Bytes.size() > limit) {
        out.Bytes.truncate(limit);
        out.Truncated = true;
    }
    out.Result = TFileRead::Read;
    return out;
}
