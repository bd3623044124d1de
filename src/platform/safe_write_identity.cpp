// Giving a new file the identity of the file it replaces: owner, group, extended attributes
// (access control lists live among them) and mode. Only what differs is changed, so a user who
// may not change an owner still saves a file that is already theirs.
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QList>
#include <cerrno>

#include "platform/safe_write_internal.h"

namespace platform::SafeWrite::detail {
namespace {

// Reads a list or a value of unknown length through one of the *xattr calls, given as
// `call(buffer, size)`. Returns 0 or the errno.
template <typename Call>
int readSized(Call call, QByteArray* out) {
  for (int tries = 0; tries < 5; ++tries) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) return errno;
    out->resize(size);
    if (size == 0) return 0;
    const ssize_t got = call(out->data(), size_t(size));
    if (got >= 0) {
      out->resize(got);
      return 0;
    }
    if (errno != ERANGE) return errno;  // ERANGE: it grew in between; ask its size again
  }
  return ERANGE;
}

// The names of a list as listxattr gives it: each one ends in a zero byte.
QList<QByteArray> namesIn(const QByteArray& list) {
  QList<QByteArray> names;
  for (qsizetype begin = 0; begin < list.size();) {
    const qsizetype end = list.indexOf('\0', begin);
    names.append(list.mid(begin, (end < 0 ? list.size() : end) - begin));
    begin = end < 0 ? list.size() : end + 1;
  }
  return names;
}

// A file system that keeps no extended attributes has none to lose.
int noneWhenUnsupported(int err) { return err == ENOTSUP ? 0 : err; }

int copyAttributes(const QByteArray& oldPath, int fd) {
  QByteArray oldList;
  QByteArray newList;
  const char* old = oldPath.constData();
  if (const int err = noneWhenUnsupported(
          readSized([&](char* b, size_t n) { return ::llistxattr(old, b, n); }, &oldList)))
    return err;
  if (const int err = noneWhenUnsupported(
          readSized([&](char* b, size_t n) { return ::flistxattr(fd, b, n); }, &newList)))
    return err;
  const QList<QByteArray> oldNames = namesIn(oldList);
  const QList<QByteArray> newNames = namesIn(newList);
  // What the new file got from its folder alone (an inherited ACL) the old file did not have.
  for (const QByteArray& name : newNames)
    if (!oldNames.contains(name) && ::fremovexattr(fd, name.constData()) != 0) return errno;
  for (const QByteArray& name : oldNames) {
    const char* key = name.constData();
    QByteArray want;
    const int err =
        readSized([&](char* b, size_t n) { return ::lgetxattr(old, key, b, n); }, &want);
    if (err == ENODATA) continue;  // removed meanwhile
    if (err) return err;
    QByteArray have;
    if (newNames.contains(name) &&
        readSized([&](char* b, size_t n) { return ::fgetxattr(fd, key, b, n); }, &have) == 0 &&
        have == want)
      continue;
    if (::fsetxattr(fd, key, want.constData(), size_t(want.size()), 0) != 0) return errno;
  }
  return 0;
}

}  // namespace

int copyIdentity(const QByteArray& oldPath, const struct stat& old, int fd) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return errno;
  const bool ownerDiffers = now.st_uid != old.st_uid;
  const bool groupDiffers = now.st_gid != old.st_gid;
  if ((ownerDiffers || groupDiffers) && ::fchown(fd, ownerDiffers ? old.st_uid : uid_t(-1),
                                                 groupDiffers ? old.st_gid : gid_t(-1)) != 0)
    return errno;
  if (const int err = copyAttributes(oldPath, fd)) return err;
  // Last, because a change of owner clears the set-user-ID bits. With an ACL, the group bits of
  // the mode are its mask, which the attributes have just set to the same value.
  const mode_t mode = old.st_mode & 07777;
  if (::fstat(fd, &now) != 0) return errno;
  if ((now.st_mode & 07777) != mode && ::fchmod(fd, mode) != 0) return errno;
  return 0;
}

}  // namespace platform::SafeWrite::detail
