#include "platform/standins/mmio.h"

#include "support/media.h"
#include "support/test_support.h"

namespace {

using media::Riff;

constexpr FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
constexpr FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');

class MmioTest : public ::testing::Test {
protected:
    HMMIO Open(const std::vector<uint8_t>& bytes) {
        WriteBytes(temp.File("f.riff"), bytes);
        std::string name = temp.File("f.riff");
        return mmioOpenA(name.data(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    }
    void TearDown() override { EXPECT_EQ(MmioOpenFiles(), 0); }
    static MMRESULT Find(HMMIO file, MMCKINFO& chunk, FOURCC id, const MMCKINFO* parent) {
        chunk = MMCKINFO{id, 0, 0, 0, 0};
        return mmioDescend(file, &chunk, parent, MMIO_FINDCHUNK);
    }
    static MMRESULT FindWave(HMMIO file, MMCKINFO& riff) {
        riff = MMCKINFO{0, 0, kWave, 0, 0};
        return mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF);
    }
    TempDir temp;
};

TEST_F(MmioTest, FindsChunksPastOddSizedOnesButNeverOutsideTheParent) {
    auto bytes = Riff("WAVE", {{"LIST", {'I', 'N', 'F', 'O', 'x'}}, {"fmt ", {10, 11}}, {"data", {20, 21, 22}}});
    const auto outside = media::ChunkBytes({"junk", {9}});
    bytes.insert(bytes.end(), outside.begin(), outside.end());
    HMMIO file = Open(bytes);
    ASSERT_NE(file, nullptr);
    MMCKINFO riff, chunk;
    ASSERT_EQ(FindWave(file, riff), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.dwDataOffset, 8u);
    ASSERT_EQ(Find(file, chunk, mmioFOURCC('f', 'm', 't', ' '), &riff), MMSYSERR_NOERROR);
    char read[8] = {};
    EXPECT_EQ(mmioRead(file, read, 1), 1);
    EXPECT_EQ(mmioAscend(file, &chunk, 0), MMSYSERR_NOERROR);  // however much was read
    ASSERT_EQ(Find(file, chunk, kData, &riff), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, 3u);
    EXPECT_EQ(mmioRead(file, read, 3), 3);
    EXPECT_EQ(read[2], 22);
    // "junk" follows the RIFF chunk: found in the file, not inside the RIFF chunk.
    ASSERT_EQ(mmioAscend(file, &chunk, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(Find(file, chunk, mmioFOURCC('j', 'u', 'n', 'k'), &riff), MMIOERR_CHUNKNOTFOUND);
    EXPECT_EQ(Find(file, chunk, mmioFOURCC('j', 'u', 'n', 'k'), nullptr), MMSYSERR_NOERROR);
    EXPECT_EQ(mmioRead(file, read, 8), 2);  // its byte and its pad byte, then the end
    EXPECT_EQ(mmioRead(file, read, 8), 0);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
}

TEST_F(MmioTest, RefusesChunksThatClaimMoreThanTheirParentOrTheFileHolds) {
    auto truncated = Riff("WAVE", {{"data", std::vector<uint8_t>(100, 1)}});
    truncated.resize(60);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        MMRESULT riff;
        MMRESULT data;  // looked for inside the RIFF chunk, when that is found
    };
    const std::vector<Case> cases = {
        {"data larger than the RIFF chunk", Riff("WAVE", {{"data", {1, 2}, 4000}}), MMSYSERR_NOERROR,
         MMIOERR_INVALIDFILE},
        {"size near 4 GiB before the data", Riff("WAVE", {{"junk", {1}, 0xFFFFFFF0}, {"data", {1}}}), MMSYSERR_NOERROR,
         MMIOERR_CHUNKNOTFOUND},
        // The RIFF chunk ends with the file; the data chunk that runs past it is refused.
        {"truncated file", truncated, MMSYSERR_NOERROR, MMIOERR_INVALIDFILE},
        {"RIFF too short for its form type", Riff("WAVE", {}, 2), MMIOERR_CHUNKNOTFOUND, 0},
        {"another form type", Riff("AVI ", {{"data", {1}}}), MMIOERR_CHUNKNOTFOUND, 0},
        {"empty file", {}, MMIOERR_CHUNKNOTFOUND, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HMMIO file = Open(c.bytes);
        MMCKINFO riff, chunk;
        EXPECT_EQ(FindWave(file, riff), c.riff);
        if (c.riff == MMSYSERR_NOERROR) {
            EXPECT_EQ(Find(file, chunk, kData, &riff), c.data);
        }
        mmioClose(file, 0);
    }
}

TEST_F(MmioTest, SeekStaysWithinTheFile) {
    HMMIO file = Open({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    ASSERT_NE(file, nullptr);
    struct Case {
        LONG offset;
        int origin;
        LONG expected;  // the new position, or -1 with the position kept
    };
    for (const Case& c : {Case{0, SEEK_END, 10}, Case{-4, SEEK_CUR, 6}, Case{2, SEEK_CUR, 8}, Case{3, SEEK_CUR, -1},
                          Case{-1, SEEK_SET, -1}, Case{11, SEEK_SET, -1}, Case{0, 7, -1}, Case{3, SEEK_SET, 3}}) {
        EXPECT_EQ(mmioSeek(file, c.offset, c.origin), c.expected) << c.offset << " from " << c.origin;
    }
    char read = 0;
    EXPECT_EQ(mmioRead(file, &read, 1), 1);
    EXPECT_EQ(read, 4);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(mmioSeek(file, 0, SEEK_SET), -1);
}

}  // namespace
