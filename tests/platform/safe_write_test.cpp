// SafeWrite on a real disk: a saved file keeps its owner, group, mode and extended attributes,
// the folder is synced after the rename, links are followed but loops are not, only regular
// files are written, and failures say why in the user's words.
#include "platform/safe_write.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/test_files.h"

namespace {

namespace SafeWrite = platform::SafeWrite;
using test_files::bytesOf;
using test_files::put;

using test_files::local;
using test_files::statOf;

std::optional<QByteArray> attribute(const QString& path, const char* name) {
  QByteArray value(4096, '\0');
  const ssize_t n = ::getxattr(local(path).constData(), name, value.data(), size_t(value.size()));
  return n < 0 ? std::nullopt : std::optional<QByteArray>(value.left(n));
}

// An access or default ACL as the kernel keeps it in an attribute: a version, then entries of
// tag, permissions and id, sorted by tag.
QByteArray aclOf(std::initializer_list<std::array<quint32, 3>> entries) {
  QByteArray acl;
  const auto add = [&acl](quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) acl.append(char((value >> (8 * i)) & 0xFF));
  };
  add(2, 4);
  for (const auto& [tag, permissions, id] : entries) {
    add(tag, 2);
    add(permissions, 2);
    add(id, 4);
  }
  return acl;
}
constexpr quint32 kUserObj = 0x01, kUser = 0x02, kGroupObj = 0x04, kMask = 0x10, kOther = 0x20;
constexpr quint32 kNoId = 0xFFFFFFFF;

class SafeWriteDisk : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return m_dir.filePath(name); }
  QStringList entries(const QString& folder = {}) const {
    return QDir(folder.isEmpty() ? m_dir.path() : folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }
  static bool save(const QString& path, const QByteArray& bytes, QString* error = nullptr) {
    return SafeWrite::save(
        path, [&bytes](SafeWrite::Sink& sink) { return sink.write(bytes); }, error);
  }
  QTemporaryDir m_dir;
};

// A file of another user, saved by root, used to become root's; set-ID bits fall with a change
// of owner unless the mode is given back after it.
TEST_F(SafeWriteDisk, OwnerGroupAndModeAreKept) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another owner needs root";
  struct Case {
    uid_t uid;
    gid_t gid;
    mode_t mode;
  } cases[] = {{12345, 12345, 0640},  {0, 12345, 0600},      {12345, 0, 0755},
               {12345, 23456, 04755}, {12345, 12345, 02750}, {0, 0, 0444}};
  for (const Case& c : cases) {
    SCOPED_TRACE(QString::asprintf("%u:%u %o", c.uid, c.gid, c.mode).toStdString());
    ASSERT_TRUE(put(path("a.txt"), "old"));
    ASSERT_EQ(::chown(local(path("a.txt")).constData(), c.uid, c.gid), 0);
    ASSERT_EQ(::chmod(local(path("a.txt")).constData(), c.mode), 0);
    QString error;
    ASSERT_TRUE(save(path("a.txt"), "new", &error)) << error.toStdString();
    const struct stat st = statOf(path("a.txt"));
    EXPECT_EQ(st.st_uid, c.uid);
    EXPECT_EQ(st.st_gid, c.gid);
    EXPECT_EQ(st.st_mode & 07777, c.mode);
    EXPECT_EQ(bytesOf(path("a.txt")), "new");
    EXPECT_EQ(entries(), QStringList{"a.txt"});
  }
}

// In a set-group-ID folder every new file takes the folder's group, so a rename changed the
// group of a file that had another one.
TEST_F(SafeWriteDisk, GroupInASetGroupIdFolderIsKept) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a folder to another group needs root";
  const QString folder = path("shared");
  ASSERT_TRUE(QDir().mkdir(folder));
  ASSERT_EQ(::chown(local(folder).constData(), 0, 23456), 0);
  ASSERT_EQ(::chmod(local(folder).constData(), 02775), 0);
  ASSERT_TRUE(put(folder + "/other.txt", ""));
  ASSERT_EQ(statOf(folder + "/other.txt").st_gid, 23456u) << "the folder hands out its group";
  ASSERT_TRUE(put(folder + "/a.txt", "old"));
  ASSERT_EQ(::chown(local(folder + "/a.txt").constData(), 0, 12345), 0);
  ASSERT_TRUE(save(folder + "/a.txt", "new"));
  EXPECT_EQ(statOf(folder + "/a.txt").st_gid, 12345u);
  EXPECT_EQ(bytesOf(folder + "/a.txt"), "new");
}

TEST_F(SafeWriteDisk, UserAttributeIsKept) {
  ASSERT_TRUE(put(path("a.txt"), "old"));
  if (::setxattr(local(path("a.txt")).constData(), "user.test", "value", 5, 0) != 0)
    GTEST_SKIP() << "this file system keeps no user attributes: " << std::strerror(errno);
  ASSERT_TRUE(save(path("a.txt"), "new"));
  EXPECT_EQ(attribute(path("a.txt"), "user.test"), QByteArray("value"));
  EXPECT_EQ(bytesOf(path("a.txt")), "new");
}

TEST_F(SafeWriteDisk, AccessControlListIsKept) {
  ASSERT_TRUE(put(path("a.txt"), "old"));
  const QByteArray acl = aclOf({{kUserObj, 6, kNoId},
                                {kUser, 4, 12345},
                                {kGroupObj, 4, kNoId},
                                {kMask, 6, kNoId},
                                {kOther, 0, kNoId}});
  if (::setxattr(local(path("a.txt")).constData(), "system.posix_acl_access", acl.constData(),
                 size_t(acl.size()), 0) != 0)
    GTEST_SKIP() << "this file system keeps no ACLs: " << std::strerror(errno);
  const std::optional<QByteArray> before = attribute(path("a.txt"), "system.posix_acl_access");
  const mode_t modeBefore = statOf(path("a.txt")).st_mode;
  ASSERT_TRUE(save(path("a.txt"), "new"));
  EXPECT_EQ(attribute(path("a.txt"), "system.posix_acl_access"), before);
  EXPECT_EQ(statOf(path("a.txt")).st_mode, modeBefore);
}

// A new file takes the folder's default ACL; a file that had none must not come back with one.
TEST_F(SafeWriteDisk, DefaultAclOfTheFolderIsNotAddedToTheFile) {
  const QString folder = path("acl");
  ASSERT_TRUE(QDir().mkdir(folder));
  const QByteArray inherited = aclOf({{kUserObj, 7, kNoId},
                                      {kUser, 7, 12345},
                                      {kGroupObj, 5, kNoId},
                                      {kMask, 7, kNoId},
                                      {kOther, 5, kNoId}});
  if (::setxattr(local(folder).constData(), "system.posix_acl_default", inherited.constData(),
                 size_t(inherited.size()), 0) != 0)
    GTEST_SKIP() << "this file system keeps no ACLs: " << std::strerror(errno);
  ASSERT_TRUE(put(folder + "/a.txt", "old"));
  ASSERT_EQ(::removexattr(local(folder + "/a.txt").constData(), "system.posix_acl_access"), 0);
  ASSERT_TRUE(save(folder + "/a.txt", "new"));
  EXPECT_EQ(attribute(folder + "/a.txt", "system.posix_acl_access"), std::nullopt);
  EXPECT_EQ(bytesOf(folder + "/a.txt"), "new");
}

TEST_F(SafeWriteDisk, RenameIsFollowedByASyncOfTheFolder) {
  ASSERT_TRUE(put(path("a.txt"), "old"));
  for (const QString& name : {QStringLiteral("a.txt"), QStringLiteral("created.txt")}) {
    SCOPED_TRACE(name.toStdString());
    const SafeWrite::Counters before = SafeWrite::counters();
    ASSERT_TRUE(save(path(name), "new"));
    EXPECT_EQ(SafeWrite::counters().folderSyncs, before.folderSyncs + 1);
    EXPECT_EQ(SafeWrite::counters().inPlaceSaves, before.inPlaceSaves);
  }
}

// A name near the system's limit of 255 bytes once had no room for the suffix of the new file
// beside it. The suffix's room is cut at a character's start, odd offset or even.
TEST_F(SafeWriteDisk, NameNearTheLengthLimitSaves) {
  for (const QString& name :
       {QString(126, QChar(u'ж')) + ".t", "a" + QString(126, QChar(u'ж')) + "t"}) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_EQ(local(name).size(), 254);
    ASSERT_TRUE(put(path(name), "old"));
    QString error;
    ASSERT_TRUE(save(path(name), "new", &error)) << error.toStdString();
    EXPECT_EQ(bytesOf(path(name)), "new");
    EXPECT_EQ(entries(), QStringList{name});
    ASSERT_TRUE(QFile::remove(path(name)));
  }
}

// Save As onto a loop of links used to give up after 40 hops and put a file in place of a link.
TEST_F(SafeWriteDisk, LoopOfLinksFailsAndLeavesTheLinks) {
  ASSERT_TRUE(QFile::link("b.lnk", path("a.lnk")));
  ASSERT_TRUE(QFile::link("a.lnk", path("b.lnk")));
  ASSERT_TRUE(QFile::link("self.lnk", path("self.lnk")));
  for (const QString& name : {QStringLiteral("a.lnk"), QStringLiteral("self.lnk")}) {
    SCOPED_TRACE(name.toStdString());
    QString error;
    EXPECT_FALSE(save(path(name), "new", &error));
    EXPECT_EQ(error, QString("Не удалось записать файл «%1»: Слишком много символических ссылок")
                         .arg(QDir::toNativeSeparators(path(name))));
  }
  EXPECT_EQ(QFile::symLinkTarget(path("a.lnk")), path("b.lnk"));
  EXPECT_EQ(QFile::symLinkTarget(path("b.lnk")), path("a.lnk"));
  EXPECT_EQ(QFile::symLinkTarget(path("self.lnk")), path("self.lnk"));
  EXPECT_EQ(entries(), QStringList({"a.lnk", "b.lnk", "self.lnk"}));
}

TEST_F(SafeWriteDisk, LinkToAMissingFileCreatesIt) {
  ASSERT_TRUE(QDir().mkdir(path("real")));
  ASSERT_TRUE(QFile::link("real/new.txt", path("link.txt")));
  ASSERT_TRUE(save(path("link.txt"), "new"));
  EXPECT_EQ(QFile::symLinkTarget(path("link.txt")), path("real/new.txt"));
  EXPECT_EQ(bytesOf(path("real/new.txt")), "new");
}

// Opening a FIFO for writing waits for a reader; a save must fail at once instead, and must
// never put a regular file in place of a folder, a FIFO or a device.
TEST_F(SafeWriteDisk, OnlyRegularFilesAreWritten) {
  ASSERT_TRUE(QDir().mkdir(path("folder")));
  ASSERT_EQ(::mkfifo(local(path("fifo")).constData(), 0644), 0);
  const bool device = ::mknod(local(path("null")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  struct Case {
    const char* name;
    const char* reason;
  } cases[] = {{"folder", "Это папка, а не файл"},
               {"fifo", "Это не обычный файл"},
               {"null", "Это не обычный файл"}};
  for (const Case& c : cases) {
    if (!device && QByteArray(c.name) == "null") continue;  // no right to make a device here
    SCOPED_TRACE(c.name);
    const struct stat before = statOf(path(c.name));
    const QString expected = QString("Не удалось записать файл «%1»: %2")
                                 .arg(QDir::toNativeSeparators(path(c.name)), c.reason);
    QString error;
    EXPECT_FALSE(save(path(c.name), "new", &error));
    EXPECT_EQ(error, expected);
    EXPECT_FALSE(SafeWrite::append(path(c.name), "new", &error));
    EXPECT_EQ(error, expected);
    EXPECT_EQ(statOf(path(c.name)).st_ino, before.st_ino);
    EXPECT_EQ(statOf(path(c.name)).st_mode, before.st_mode);
  }
}

// Root passes every permission check, but not an immutable file: the reason is the program's
// own text, not the system's English one.
TEST_F(SafeWriteDisk, RefusedWriteSaysNoRight) {
  ASSERT_TRUE(put(path("a.txt"), "old"));
  test_files::Immutable frozen(path("a.txt"));
  if (!frozen.active()) GTEST_SKIP() << "cannot make a file immutable here";
  for (const bool appending : {false, true}) {
    SCOPED_TRACE(appending ? "append" : "save");
    QString error;
    EXPECT_FALSE(appending ? SafeWrite::append(path("a.txt"), "new", &error)
                           : save(path("a.txt"), "new", &error));
    EXPECT_TRUE(error.endsWith("»: Нет прав на запись")) << error.toStdString();
  }
  EXPECT_EQ(bytesOf(path("a.txt")), "old");
  EXPECT_EQ(entries(), QStringList{"a.txt"});
}

// A write past the file-size limit fails as a full disk would; the old file stays whole.
TEST_F(SafeWriteDisk, WriteBeyondTheSizeLimitSaysSo) {
  ASSERT_TRUE(put(path("a.txt"), "old"));
  QString error;
  {
    test_files::FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.active());
    EXPECT_FALSE(save(path("a.txt"), QByteArray(9000, 'z'), &error));
  }
  EXPECT_TRUE(error.endsWith("»: Файл превышает допустимый размер")) << error.toStdString();
  EXPECT_EQ(bytesOf(path("a.txt")), "old");
  EXPECT_EQ(entries(), QStringList{"a.txt"});
}

// Saves `path` inside `folder` made read-only by a bind mount, in a child process with mounts of
// its own, so the machine's mounts stay as they were whatever happens. Returns the error,
// "saved", or "skip: " and why no such mount could be made.
QString saveOnReadOnlyMount(const QString& folder, const QString& path) {
  return test_files::inChild([&] {
    const QByteArray dir = local(folder);
    QString answer;
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount(dir.constData(), dir.constData(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, dir.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
      return "skip: " + QString::fromLocal8Bit(std::strerror(errno));
    const auto fill = [](SafeWrite::Sink& sink) { return sink.write("new"); };
    return SafeWrite::save(path, fill, &answer) ? QStringLiteral("saved") : answer;
  });
}

TEST_F(SafeWriteDisk, ReadOnlyFileSystemSaysSo) {
  ASSERT_TRUE(put(path("a.txt"), "old"));
  const QString answer = saveOnReadOnlyMount(m_dir.path(), path("a.txt"));
  if (answer.startsWith("skip: ")) GTEST_SKIP() << "no read-only mount: " << answer.toStdString();
  EXPECT_EQ(answer, QString("Не удалось записать файл «%1»: Файловая система доступна только "
                            "для чтения")
                        .arg(QDir::toNativeSeparators(path("a.txt"))));
  EXPECT_EQ(bytesOf(path("a.txt")), "old");
}

}  // namespace
