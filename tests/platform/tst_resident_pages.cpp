// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ResidentPages.h"

#include <QFile>
#include <QTemporaryFile>
#include <QTest>
#include <sys/mman.h>
#include <unistd.h>

using namespace dv;

class TestResidentPages : public QObject {
    Q_OBJECT
private slots:
    void cleanFilePagesGoWrittenOnesStay();
};

namespace {
// How much of the mapping at `at` this process holds resident, in kB (the
// file's pages may well stay in the system's cache).
int residentKb(const void *at)
{
    QFile f(QStringLiteral("/proc/self/smaps"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray start = QByteArray::number(quintptr(at), 16) + '-';
    bool inside = false;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(start))
            inside = true;
        else if (inside && line.startsWith("Rss:"))
            return line.mid(4).trimmed().split(' ').value(0).toInt();
    }
    return -1;
}
} // namespace

void TestResidentPages::cleanFilePagesGoWrittenOnesStay()
{
    // A file mapped read-only (code, a font) and one mapped privately and
    // written to (a library's relocated tables): the first may go back to
    // the file, the second holds what the program wrote and must stay.
    const size_t page = size_t(sysconf(_SC_PAGESIZE)), length = 16 * page;
    QTemporaryFile file;
    QVERIFY(file.open());
    QByteArray content(int(length), '\0');
    for (int i = 0; i < content.size(); ++i)
        content[i] = char(i % 251);
    QVERIFY(file.write(content) == content.size() && file.flush());
    void *clean = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, file.handle(), 0);
    void *written = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE, file.handle(), 0);
    QVERIFY(clean != MAP_FAILED && written != MAP_FAILED);
    const auto *c = static_cast<const char *>(clean);
    auto *w = static_cast<char *>(written);
    int sum = 0;
    for (size_t i = 0; i < length; i += page)
        sum += c[i];
    w[3 * page] = 'x';
    // Read-only now, as a library's tables become after relocation.
    QVERIFY(mprotect(written, length, PROT_READ) == 0);
    QCOMPARE(residentKb(clean), int(length / 1024));

    releaseIdlePages();

    QCOMPARE(residentKb(clean), 0);
    QCOMPARE(QByteArray(c, int(length)), content); // read back from the file
    QCOMPARE(w[3 * page], 'x');
    QVERIFY(sum != 0);
    munmap(clean, length);
    munmap(written, length);
}

QTEST_GUILESS_MAIN(TestResidentPages)
#include "tst_resident_pages.moc"
