// Event description files as hand editors and broken disks leave them: read, reported, and what
// was read written back and read again unchanged.
#include "evdescfile.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray document(reinterpret_cast<const char *>(data), int(size));
    int version = 0;
    QMap<int, EvDesc> descriptions;
    const EvDescFile::ReadReport report = EvDescFile::parse(document, version, descriptions);

    for (auto it = descriptions.cbegin(); it != descriptions.cend(); ++it)
        FUZZ_REQUIRE(it.key() == (it.value().code & 0xFF));
    FUZZ_REQUIRE(report.isLoaded() == (report.failure == EvDescFile::ReadReport::NoFailure));
    FUZZ_REQUIRE((report.skippedRecords > 0) == (report.failure == EvDescFile::ReadReport::SkippedRecords));
    FUZZ_REQUIRE((report.skippedRecords > 0) == (report.firstSkipped >= 0));
    FUZZ_REQUIRE(report.firstSkippedText.size() <= 80);
    const QString text = EvDescFile::reportText(report, QStringLiteral("Resources/Messages.RU"));
    FUZZ_REQUIRE(text.isEmpty() == (report.isLoaded() && !report.bytesReplaced));
    if (report.failure != EvDescFile::ReadReport::NoFailure &&
        report.failure != EvDescFile::ReadReport::SkippedRecords)
        FUZZ_REQUIRE(descriptions.isEmpty());

    // What the editor would save reads back as the same records: saving loses nothing it showed.
    if (report.failure == EvDescFile::ReadReport::NotJson || report.failure == EvDescFile::ReadReport::NotDescriptionFile)
        return 0;
    int versionAgain = -1;
    QMap<int, EvDesc> again;
    const EvDescFile::ReadReport reread =
        EvDescFile::parse(EvDescFile::toJson(descriptions.values(), version), versionAgain, again);
    FUZZ_REQUIRE(reread.isLoaded() && !reread.bytesReplaced);
    FUZZ_REQUIRE(versionAgain == version);
    FUZZ_REQUIRE(again == descriptions);
    return 0;
}
