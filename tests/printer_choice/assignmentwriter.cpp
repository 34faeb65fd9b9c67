// Another program of the suite, for the tests: stores keys into the printer
// assignment file, or holds its header lock for a while.
//
//   assignmentwriter store FILE PREFIX COUNT   stores PREFIX0..PREFIX<COUNT-1>,
//                                              once a line comes on its input
//   assignmentwriter hold FILE MS               locks the header, prints "held"
//   assignmentwriter rewrite FILE KEY COUNT     rewrites KEY's value COUNT times,
//                                              106 "A" and 106 "B" in turn
#include "printer_choice/printerassignments.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

int store(const QString &path, const QString &prefix, int count)
{
    const printer_choice::PrinterAssignments file(path);
    // Both programs start storing at the same moment, for as much overlap as can be.
    char line[8];
    if (!std::fgets(line, sizeof line, stdin))
        return 2;
    for (int i = 0; i < count; ++i) {
        const platform::Result<void> result = file.store(prefix + QString::number(i), QString::number(i));
        if (!result) {
            std::fprintf(stderr, "%s%d: %s\n", qPrintable(prefix), i, qPrintable(result.error()));
            return 1;
        }
    }
    return 0;
}

int hold(const char *path, int milliseconds)
{
    const int fd = ::open(path, O_RDWR | O_CREAT, 0666);
    struct flock request
    {
    };
    request.l_type = F_WRLCK;
    request.l_whence = SEEK_SET;
    request.l_len = printer_choice::AssignmentRecordLength;
    if (fd < 0 || ::fcntl(fd, F_SETLKW, &request) != 0)
        return 1;
    std::printf("held\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    ::close(fd);
    return 0;
}

int rewrite(const QString &path, const QString &key, int count)
{
    const printer_choice::PrinterAssignments file(path);
    const QString values[] = {QString(printer_choice::AssignmentValueLength, QLatin1Char('A')),
                              QString(printer_choice::AssignmentValueLength, QLatin1Char('B'))};
    for (int i = 0; i < count; ++i) {
        if (!file.store(key, values[i % 2]))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QByteArray mode = argc > 1 ? argv[1] : "";
    if (mode == "store" && argc == 5)
        return store(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));
    if (mode == "hold" && argc == 4)
        return hold(argv[2], std::atoi(argv[3]));
    if (mode == "rewrite" && argc == 5)
        return rewrite(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr, "usage: %s store FILE PREFIX COUNT | hold FILE MS | rewrite FILE KEY COUNT\n", argv[0]);
    return 2;
}
