// A host of the C entry that issues batch numbers one unit at a time, as a
// clerk's posting does, printing each number once its unit has landed:
//   vbr-issue-probe DB ITEM DATE UNITS [COUNT]
#include <vellbatchrule/vbr.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Print(void*, const char* number)
{
    std::printf("%s\n", number);
}

}

int main(int argc, char* argv[])
{
    if (argc < 5)
        return 2;
    vbr_face* face = vbr_open(argv[1], "UserID=16394;LANGUAGE=chs");
    if (!face)
        return 1;
    vbr_issuer* issuer = vbr_issuer_open(std::atoi(argv[2]));
    const vbr_document document{argv[3], 1, nullptr, 0};
    const int units = std::atoi(argv[4]);
    const int count = argc > 5 ? std::atoi(argv[5]) : 1;
    int failed = issuer ? 0 : 1;
    for (int unit = 0; unit < units && !failed; ++unit) {
        failed = vbr_issue(issuer, &document, count, Print, nullptr) < 0;
        std::fflush(stdout);
    }
    if (failed)
        std::fprintf(stderr, "%s\n", vbr_last_error_text());
    vbr_issuer_release(issuer);
    vbr_face_release(face);
    return failed;
}
