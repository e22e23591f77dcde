// The simulated box and device as a byte-stream state machine: every frame, input split and
// merged in any way, the write blocks of each family, and the fault switches.

#include "sim/simulated_device.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "image/layout.h"
#include "sim/model_images.h"

namespace tadjust {
namespace {

ByteVector frame(char command) { return {0, '$', static_cast<std::uint8_t>(command)}; }

ByteVector concat(std::initializer_list<ByteVector> parts) {
  ByteVector all;
  for (const ByteVector& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A block whose bytes differ from the device's and from each other, and hold the frame bytes
// and handshake bytes too, which inside a block are plain data.
ByteVector writeBlock(std::size_t size) {
  ByteVector block(size);
  std::iota(block.begin(), block.end(), std::uint8_t{1});
  block[0] = 0;
  block[1] = '$';
  block[2] = '?';
  block[3] = '#';
  return block;
}

SimulatedDevice makeDevice(std::string_view model, DeviceFaults faults = {}) {
  const auto simulated = findSimulatedModel(model);
  return SimulatedDevice(simulated->model, makeModelImage(*simulated, 4321), faults);
}

DeviceFaults withFault(void (*set)(DeviceFaults&)) {
  DeviceFaults faults;
  set(faults);
  return faults;
}

ByteVector feedAll(SimulatedDevice& device, const ByteVector& bytes) {
  return device.feed(ConstBytes(bytes));
}

ByteVector feedOneByOne(SimulatedDevice& device, const ByteVector& bytes) {
  ByteVector reply;
  for (std::uint8_t byte : bytes) {
    const ByteVector part = device.feed(byte);
    reply.insert(reply.end(), part.begin(), part.end());
  }
  return reply;
}

ByteVector imageBytes(const SimulatedDevice& device) {
  return ByteVector(device.image().begin(), device.image().end());
}

TEST(SimulatedDevice, BoxAnswersTheHandshake) {
  SimulatedDevice device = makeDevice("RKA-49");
  EXPECT_EQ(device.feed('?'), ByteVector{'$'});
  EXPECT_EQ(device.feed('#'), ByteVector{'@'});
  EXPECT_TRUE(device.feed('x').empty());
}

TEST(SimulatedDevice, LinkAndMeasureSendNothingAndReadSendsTheWholeImage) {
  SimulatedDevice device = makeDevice("RKA-49");
  EXPECT_TRUE(feedAll(device, frame('C')).empty());
  EXPECT_EQ(feedAll(device, frame('R')), imageBytes(device));
  EXPECT_TRUE(feedAll(device, frame('S')).empty());
}

TEST(SimulatedDevice, MonitoringRecordOfAHumidityModel) {
  SimulatedDevice device = makeDevice("ARR/A");
  device.setClimate({23.45, 50.12});
  feedAll(device, frame('S'));
  // The record is the measurement taken at "S", not what the air has become since.
  device.setClimate({-5.0, 80.0});
  const ByteVector record = feedAll(device, frame('A'));
  ASSERT_EQ(record.size(), kMonitorRecordSize);
  EXPECT_EQ(readS16(record, 0), 2345);
  EXPECT_EQ(readS16(record, 2), 5012);
  EXPECT_EQ(ByteVector(record.begin() + 4, record.end()), ByteVector(8, 0));

  feedAll(device, frame('S'));
  EXPECT_EQ(readS16(feedAll(device, frame('A')), 0), -500);
}

TEST(SimulatedDevice, MonitoringRecordInDewPointWhenTheDeviceIsSetToIt) {
  SimulatedDevice device = makeDevice("ARR/A");
  ImageBytes image = device.image();
  humidity::HumidityUnit.set(image, 1);
  device.setImage(image);
  device.setClimate({20.0, 50.0});
  feedAll(device, frame('S'));
  // Air of 20 °C at 50 %RH has its dew point at 9.26 °C.
  EXPECT_EQ(readS16(feedAll(device, frame('A')), 2), 926);
}

TEST(SimulatedDevice, TransmittersSendNoMonitoringRecord) {
  SimulatedDevice device = makeDevice("RKA-49");
  EXPECT_TRUE(feedAll(device, concat({frame('S'), frame('A')})).empty());
}

struct WriteCase {
  const char* model;
  char command;
  std::size_t blockSize;
  std::size_t productCodeOffset;
};

class SimulatedDeviceWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(SimulatedDeviceWrite, StoresTheModelsBlockFromOffsetZeroAndKeepsTheIdentity) {
  const WriteCase& c = GetParam();
  SimulatedDevice device = makeDevice(c.model);
  const ImageBytes before = device.image();
  const ByteVector block = writeBlock(c.blockSize);

  EXPECT_TRUE(feedAll(device, concat({frame(c.command), block})).empty());
  EXPECT_EQ(device.writesStored(), 1);
  EXPECT_EQ(device.writeBlockSize(), c.blockSize);
  const ByteVector after = imageBytes(device);
  EXPECT_EQ(ByteVector(after.begin(), after.begin() + static_cast<long>(c.blockSize)), block);
  // The rest of the image, product code and serial number among it, is as it was.
  EXPECT_TRUE(std::equal(before.begin() + static_cast<long>(c.blockSize), before.end(),
                         after.begin() + static_cast<long>(c.blockSize)));
  EXPECT_EQ(readU16(after, c.productCodeOffset), readU16(before, c.productCodeOffset));
  EXPECT_EQ(readU16(after, c.productCodeOffset + 2), 4321);

  // The stream is in step again after the block: the next frame is a read.
  EXPECT_EQ(feedAll(device, frame('R')), after);
}

INSTANTIATE_TEST_SUITE_P(Families, SimulatedDeviceWrite,
                         ::testing::Values(WriteCase{"RKA-49", 'W', 192, 192},
                                           WriteCase{"RQ-17x-RK/V", 'W', 192, 192},
                                           WriteCase{"GWA-43", 'W', 64, 64},
                                           WriteCase{"935-JYRA", 'w', 64, 64},
                                           WriteCase{"ARR-43", 'w', 64, 64}));

TEST(SimulatedDevice, WriteWithAnotherFamilysLetterIsTakenButNotStored) {
  SimulatedDevice transmitter = makeDevice("RKA-49");
  const ImageBytes before = transmitter.image();
  feedAll(transmitter, concat({frame('w'), writeBlock(192)}));
  EXPECT_EQ(transmitter.image(), before);
  EXPECT_EQ(transmitter.writesStored(), 0);
  EXPECT_EQ(transmitter.feed('?'), ByteVector{'$'});

  SimulatedDevice humidityDevice = makeDevice("ARR/V");
  feedAll(humidityDevice, concat({frame('W'), writeBlock(64)}));
  EXPECT_EQ(humidityDevice.writesStored(), 0);
}

TEST(SimulatedDevice, AnySplitOrMergeOfTheStreamGivesTheSameAnswer) {
  const ByteVector session = concat({{'?', '#'},
                                     frame('C'),
                                     frame('R'),
                                     frame('W'),
                                     writeBlock(192),
                                     frame('R'),
                                     {0, 0, '$', 'R'},
                                     {0, 'x', '?'}});
  SimulatedDevice whole = makeDevice("RKA-59");
  const ByteVector expected = feedAll(whole, session);

  for (std::size_t piece : {1u, 2u, 3u, 5u, 64u, 191u}) {
    SimulatedDevice device = makeDevice("RKA-59");
    ByteVector reply;
    for (std::size_t at = 0; at < session.size(); at += piece) {
      const std::size_t n = std::min(piece, session.size() - at);
      const ByteVector part = device.feed(ConstBytes(session.data() + at, n));
      reply.insert(reply.end(), part.begin(), part.end());
    }
    EXPECT_EQ(reply, expected) << "pieces of " << piece;
  }
  SimulatedDevice single = makeDevice("RKA-59");
  EXPECT_EQ(feedOneByOne(single, session), expected);

  // "?" "#", three image replies (the last after a doubled 0), and the "?" after a broken frame.
  ASSERT_EQ(expected.size(), 2 + 3 * 256 + 1);
  EXPECT_EQ(expected.back(), '$');
}

TEST(SimulatedDevice, FaultNoBoxLeavesEverythingUnanswered) {
  SimulatedDevice device = makeDevice("ARR/A", withFault([](DeviceFaults& f) { f.noBox = true; }));
  const ByteVector session = concat({{'?', '#'}, frame('C'), frame('R'), frame('S'), frame('A')});
  EXPECT_TRUE(feedAll(device, session).empty());
  feedAll(device, concat({frame('w'), writeBlock(64)}));
  EXPECT_EQ(device.writesStored(), 0);
}

TEST(SimulatedDevice, FaultBoxWithoutAtAnswersOnlyTheFirstHandshakeByte) {
  SimulatedDevice device =
      makeDevice("RKA-49", withFault([](DeviceFaults& f) { f.boxWithoutAt = true; }));
  EXPECT_EQ(feedAll(device, {'?', '#'}), ByteVector{'$'});
  EXPECT_EQ(feedAll(device, frame('R')).size(), 256u);
}

TEST(SimulatedDevice, FaultSilentDeviceBehindAWorkingBox) {
  SimulatedDevice device =
      makeDevice("GWA-43", withFault([](DeviceFaults& f) { f.silentDevice = true; }));
  EXPECT_EQ(feedAll(device, {'?', '#'}), (ByteVector{'$', '@'}));
  EXPECT_TRUE(feedAll(device, frame('R')).empty());
  const ImageBytes before = device.image();
  // The block is swallowed, so data bytes are not taken for handshake bytes.
  EXPECT_TRUE(feedAll(device, concat({frame('W'), writeBlock(64)})).empty());
  EXPECT_EQ(device.image(), before);
}

TEST(SimulatedDevice, FaultShortSettingsReply) {
  SimulatedDevice device =
      makeDevice("RKA-49", withFault([](DeviceFaults& f) { f.shortSettingsReply = 100; }));
  const ByteVector reply = feedAll(device, frame('R'));
  EXPECT_EQ(reply, ByteVector(device.image().begin(), device.image().begin() + 100));
  device.faults().shortSettingsReply = 0;
  EXPECT_TRUE(feedAll(device, frame('R')).empty());
}

TEST(SimulatedDevice, FaultSpoiledWritesDifferInOneByteThenWritesHold) {
  SimulatedDevice device =
      makeDevice("RKA-49", withFault([](DeviceFaults& f) { f.spoiledWrites = 1; }));
  const ByteVector block = writeBlock(192);
  const ByteVector write = concat({frame('W'), block});

  feedAll(device, write);
  ByteVector readBack = feedAll(device, frame('R'));
  int differences = 0;
  for (std::size_t i = 0; i < block.size(); ++i) differences += readBack[i] != block[i];
  EXPECT_EQ(differences, 1);

  feedAll(device, write);
  readBack = feedAll(device, frame('R'));
  EXPECT_TRUE(std::equal(block.begin(), block.end(), readBack.begin()));
}

TEST(SimulatedDevice, FaultEveryWriteSpoiled) {
  SimulatedDevice device = makeDevice(
      "ARR/V", withFault([](DeviceFaults& f) { f.spoiledWrites = DeviceFaults::kEveryWrite; }));
  const ByteVector block = writeBlock(64);
  for (int i = 0; i < 3; ++i) {
    feedAll(device, concat({frame('w'), block}));
    EXPECT_NE(device.image()[0], block[0]);
  }
}

// The simulator frames its writes from the protocol on its own, so the end-to-end tests check the
// program against an independent reading of it: both must agree for every model.
TEST(SimulatedDevice, WriteFramesAgreeWithTheProgramsLayouts) {
  for (const DeviceModel& model : allDeviceModels()) {
    const SimulatedDevice device(model, ImageBytes{});
    const LayoutParticulars& layout = particularsOf(layoutOf(model.family));
    EXPECT_EQ(device.writeCommand(), layout.writeCommand) << model.name;
    EXPECT_EQ(device.writeBlockSize(), layout.blockSize) << model.name;
  }
}

}  // namespace
}  // namespace tadjust
