// Runs a fuzz target once over every file of its corpus, without libFuzzer:
// what `make test` does so that an input that once broke the code keeps
// being tried.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size);

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString given = QString::fromLocal8Bit(argv[i]);
        QStringList files{given};
        if (QFileInfo(given).isDir()) {
            files.clear();
            for (const QFileInfo& file : QDir(given).entryInfoList(QDir::Files, QDir::Name))
                files << file.filePath();
        }
        for (const QString& path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const unsigned char*>(bytes.constData()), size_t(bytes.size()));
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "no input to replay\n");
        return 1;
    }
    std::printf("replayed %d inputs\n", replayed);
    return 0;
}
