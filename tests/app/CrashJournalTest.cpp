// A save cut off by a crash leaves a journal beside the catalogue's file. The next reading rolls
// it back, also when the catalogue is reached through a link; where it cannot, it says what the
// catalogue needs.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "RunCommand.h"
#include "TestCatalog.h"

namespace tolvane {
namespace {

using test::TRawDb;
using test::TTestCatalog;

constexpr int kTitles = 400;

// The catalogue copied, journal and all, in the middle of a save large enough that pages went to
// the file before the end: the copy is a file whose save was cut off.
void CopyInTheMiddleOfASave(TTestCatalog& catalogue, const QString& copy) {
    {
        TRawDb raw(catalogue.Path());
        raw.Exec("BEGIN");
        for (int k = 0; k < kTitles; ++k)
            raw.Exec(QString::fromUtf8("INSERT INTO \"Sp\" (\"Название\", \"Комментарий\") VALUES (?, 'stored')"),
                     {QString("Title %1").arg(k)});
        raw.Exec("COMMIT");
    }
    TRawDb writer(catalogue.Path());
    writer.Exec("PRAGMA cache_size = 2");
    writer.Exec("BEGIN");
    writer.Exec(QString::fromUtf8("UPDATE \"Sp\" SET \"Комментарий\" = hex(randomblob(300))"));
    QFile journal(catalogue.Path() + "-journal");
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    ASSERT_EQ(journal.read(4).toHex(), "d9d505f9") << "a journal that a reader must roll back";
    ASSERT_TRUE(QFile::copy(catalogue.Path(), copy));
    ASSERT_TRUE(QFile::copy(journal.fileName(), copy + "-journal"));
    writer.Exec("ROLLBACK");
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// File modes do not stop root, who may override them: while this lives, the thread writes only
// where the modes let it, as any other user.
class TWithoutWriteOverride {
public:
    TWithoutWriteOverride() {
        if (::geteuid() != 0) return;
        EXPECT_EQ(::syscall(SYS_capget, &header_, saved_), 0);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        EXPECT_EQ(::syscall(SYS_capset, &header_, reduced), 0) << "cannot give up the override";
        dropped_ = true;
    }
    ~TWithoutWriteOverride() {
        if (dropped_) ::syscall(SYS_capset, &header_, saved_);
    }
    TWithoutWriteOverride(const TWithoutWriteOverride&) = delete;
    TWithoutWriteOverride& operator=(const TWithoutWriteOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool dropped_ = false;
};

QString StoredComments(const QString& path) {
    return TRawDb(path)
        .Scalar(QString::fromUtf8("SELECT group_concat(DISTINCT \"Комментарий\") FROM \"Sp\""))
        .toString();
}

TEST(CrashJournal, ACatalogueReachedThroughALinkIsRolledBackLikeItsFile) {
    const auto commands = [](const QString& link, const QString& png) {
        return std::vector<QStringList>{{"list", "--db", link},
                                        {"show", "--db", link, "1"},
                                        {"export", "--db", link},
                                        {"--screenshot", png, link}};
    };
    for (std::size_t c = 0; c < 4; ++c) {
        TTestCatalog catalogue;
        ASSERT_TRUE(QDir().mkpath(catalogue.Folder("files")));
        const QString file = catalogue.Folder("files/catalogue.db");
        const QString link = catalogue.Folder("link.db");
        CopyInTheMiddleOfASave(catalogue, file);
        ASSERT_TRUE(QFile::link(file, link));
        const QStringList command = commands(link, catalogue.Folder("shot.png"))[c];
        SCOPED_TRACE(command.first().toStdString());

        const TRun r = Tolvane(command);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_FALSE(QFile::exists(file + "-journal")) << "rolled back";
        EXPECT_EQ(StoredComments(file), "stored") << "the last stored state";
    }
}

// Rolling back writes the file. A user who may not write it is told what the catalogue needs;
// the file and its journal stay as they were for someone who may.
TEST(CrashJournal, ACatalogueThatCannotBeWrittenSaysItNeedsRecoveryAndWriteAccess) {
    TTestCatalog catalogue;
    const QString folder = catalogue.Folder("files");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + "/catalogue.db";
    CopyInTheMiddleOfASave(catalogue, file);
    const QByteArray journal = Bytes(file + "-journal");

    const auto readable = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto enterable = readable | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    for (const QString& f : {file, file + "-journal"}) ASSERT_TRUE(QFile::setPermissions(f, readable));
    ASSERT_TRUE(QFile::setPermissions(folder, enterable));
    TRun r;
    {
        TWithoutWriteOverride asUser;
        r = Tolvane({"list", "--db", file});
    }
    ASSERT_TRUE(QFile::setPermissions(folder, enterable | QFileDevice::WriteOwner));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tolvane: " + file.toStdString() +
                         ": needs recovery from an interrupted save, which needs write access to the file and "
                         "its folder\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Bytes(file + "-journal"), journal) << "kept for a user who may write";
}

} // namespace
} // namespace tolvane
