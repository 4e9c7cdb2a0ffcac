#include "platform/mmio.h"

#include "audio/audio_media.h"
#include "support/test_support.h"

#include <string>
#include <vector>

namespace {

using media::Chunk;
using media::Riff;

constexpr FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
constexpr FOURCC kFmt = mmioFOURCC('f', 'm', 't', ' ');
constexpr FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');

class MmioTest : public ::testing::Test {
protected:
    HMMIO Open(const std::vector<uint8_t>& bytes) {
        WriteBytes(temp.File("file.riff"), bytes);
        std::string name = temp.File("file.riff");
        HMMIO file = mmioOpenA(name.data(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
        EXPECT_NE(file, nullptr);
        return file;
    }
    void TearDown() override { EXPECT_EQ(MmioOpenFiles(), 0) << "a test left a file open"; }
    MMRESULT Find(HMMIO file, MMCKINFO& chunk, FOURCC id, const MMCKINFO* parent) {
        chunk = MMCKINFO{};
        chunk.ckid = id;
        return mmioDescend(file, &chunk, parent, MMIO_FINDCHUNK);
    }
    MMRESULT FindRiff(HMMIO file, MMCKINFO& riff, FOURCC form = kWave) {
        riff = MMCKINFO{};
        riff.fccType = form;
        return mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF);
    }
    TempDir temp;
};

TEST_F(MmioTest, WalksIntoChunksPastOddSizedOnesAndReadsTheirData) {
    HMMIO file = Open(Riff("WAVE", {{"LIST", {'I', 'N', 'F', 'O', 'x'}},  // odd: padded
                                    {"junk", {1, 2, 3}},
                                    {"fmt ", {10, 11, 12, 13}},
                                    {"data", {20, 21, 22, 23, 24}}}));
    MMCKINFO riff, chunk;
    ASSERT_EQ(FindRiff(file, riff), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.ckid, FOURCC_RIFF);
    EXPECT_EQ(riff.fccType, kWave);
    EXPECT_EQ(riff.dwDataOffset, 8u);

    ASSERT_EQ(Find(file, chunk, kFmt, &riff), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, 4u);
    char bytes[8] = {};
    EXPECT_EQ(mmioRead(file, bytes, 2), 2);
    EXPECT_EQ(bytes[0], 10);
    EXPECT_EQ(bytes[1], 11);
    // Ascending leaves the chunk however much of it was read.
    EXPECT_EQ(mmioAscend(file, &chunk, 0), MMSYSERR_NOERROR);

    ASSERT_EQ(Find(file, chunk, kData, &riff), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, 5u);
    EXPECT_EQ(mmioRead(file, bytes, 5), 5);
    EXPECT_EQ(bytes[4], 24);
    // The pad byte after the odd chunk is the file's last; then the end.
    EXPECT_EQ(mmioRead(file, bytes, 8), 1);
    EXPECT_EQ(mmioRead(file, bytes, 8), 0);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
}

TEST_F(MmioTest, SearchStaysInsideTheParentChunk) {
    // A "data" chunk follows the RIFF chunk in the file but is not inside it.
    auto bytes = Riff("WAVE", {{"fmt ", {1, 2, 3, 4}}});
    const auto outside = media::ChunkBytes({"data", {9, 9}});
    bytes.insert(bytes.end(), outside.begin(), outside.end());
    HMMIO file = Open(bytes);
    MMCKINFO riff, chunk;
    ASSERT_EQ(FindRiff(file, riff), MMSYSERR_NOERROR);
    EXPECT_EQ(Find(file, chunk, kData, &riff), MMIOERR_CHUNKNOTFOUND);
    // Without a parent the search runs to the end of the file.
    ASSERT_EQ(mmioAscend(file, &riff, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(Find(file, chunk, kData, nullptr), MMSYSERR_NOERROR);
    mmioClose(file, 0);
}

TEST_F(MmioTest, RefusesChunksThatClaimMoreThanTheirParentOrTheFileHolds) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        MMRESULT riffResult;
        MMRESULT dataResult;  // when the RIFF chunk is found
    };
    auto truncated = Riff("WAVE", {{"data", std::vector<uint8_t>(100, 1)}});
    truncated.resize(60);  // the RIFF and data chunks both claim more than the file holds
    const std::vector<Case> cases = {
        {"data larger than the RIFF chunk",
         Riff("WAVE", {{"data", {1, 2, 3, 4}, 4000}}), MMSYSERR_NOERROR, MMIOERR_INVALIDFILE},
        {"truncated file", truncated, MMIOERR_INVALIDFILE, 0},
        {"RIFF too short for its form type", Riff("WAVE", {}, 2), MMIOERR_CHUNKNOTFOUND, 0},
        {"chunk size near 4 GiB before the data",
         Riff("WAVE", {{"junk", {1, 2}, 0xFFFFFFF0}, {"data", {1, 2}}}), MMSYSERR_NOERROR, MMIOERR_CHUNKNOTFOUND},
        {"another form type", Riff("AVI ", {{"data", {1, 2}}}), MMIOERR_CHUNKNOTFOUND, 0},
        {"empty file", {}, MMIOERR_CHUNKNOTFOUND, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HMMIO file = Open(c.bytes);
        MMCKINFO riff, chunk;
        EXPECT_EQ(FindRiff(file, riff), c.riffResult);
        if (c.riffResult == MMSYSERR_NOERROR) {
            EXPECT_EQ(Find(file, chunk, kData, &riff), c.dataResult);
        }
        mmioClose(file, 0);
    }
}

TEST_F(MmioTest, DescendWithoutFlagsEntersTheNextChunk) {
    HMMIO file = Open(Riff("WAVE", {{"abcd", {7, 8}}}));
    MMCKINFO riff{}, chunk{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.fccType, kWave);
    ASSERT_EQ(mmioDescend(file, &chunk, &riff, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.ckid, mmioFOURCC('a', 'b', 'c', 'd'));
    EXPECT_EQ(chunk.dwDataOffset, 20u);
    mmioClose(file, 0);
}

TEST_F(MmioTest, BadHandlesNamesAndArgumentsFailCleanly) {
    MMIOINFO info{};
    std::string missing = temp.File("missing.wav");
    EXPECT_EQ(mmioOpenA(missing.data(), &info, MMIO_READ), nullptr);
    EXPECT_EQ(info.wErrorRet, MMIOERR_CANNOTOPEN);
    WriteBytes(temp.File("x.wav"), {1, 2, 3});
    std::string present = temp.File("x.wav");
    EXPECT_EQ(mmioOpenA(present.data(), &info, MMIO_WRITE), nullptr);
    EXPECT_EQ(mmioOpenA(nullptr, nullptr, MMIO_READ), nullptr);

    char byte;
    MMCKINFO chunk{};
    EXPECT_EQ(mmioRead(nullptr, &byte, 1), -1);
    EXPECT_EQ(mmioDescend(nullptr, &chunk, nullptr, 0), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(mmioClose(nullptr, 0), MMSYSERR_INVALHANDLE);

    HMMIO file = mmioOpenA(present.data(), nullptr, MMIO_READ);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(mmioRead(file, &byte, -1), -1);
    EXPECT_EQ(mmioDescend(file, nullptr, nullptr, 0), MMSYSERR_INVALPARAM);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_INVALHANDLE);  // closed already
    EXPECT_EQ(mmioRead(file, &byte, 1), -1);
}

}  // namespace
