#include "tests/support/TestZip.h"

#include <zlib.h>

#include <stdexcept>

namespace tarvik::tests {

namespace {

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::string RawDeflate(const std::string& content) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    throw std::runtime_error("deflateInit2");
  }
  std::string packed(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
  stream.avail_in = static_cast<uInt>(content.size());
  stream.next_out = reinterpret_cast<Bytef*>(packed.data());
  stream.avail_out = static_cast<uInt>(packed.size());
  int result = deflate(&stream, Z_FINISH);
  packed.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("deflate");
  return packed;
}

}  // namespace

std::string MakeZip(const std::vector<ZipFile>& files) {
  std::string zip;
  std::string directory;
  for (const auto& file : files) {
    std::string data = file.deflate ? RawDeflate(file.content) : file.content;
    auto crc = file.crc.value_or(static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(file.content.data()),
              static_cast<uInt>(file.content.size()))));
    auto size = file.size.value_or(static_cast<std::uint32_t>(file.content.size()));
    std::uint16_t method = file.method.value_or(file.deflate ? 8 : 0);
    std::uint16_t flags = file.flags.value_or(0);
    auto offset = static_cast<std::uint32_t>(zip.size());
    // What both headers share from "version needed" on.
    std::string common;
    Put16(common, 20);
    Put16(common, flags);
    Put16(common, method);
    Put32(common, 0);  // time and date
    Put32(common, crc);
    Put32(common, static_cast<std::uint32_t>(data.size()));
    Put32(common, size);
    Put16(common, static_cast<std::uint32_t>(file.name.size()));
    Put16(common, 0);  // extra field

    Put32(zip, 0x04034b50);
    zip += common + file.name + data;

    Put32(directory, 0x02014b50);
    Put16(directory, 20);  // made by
    directory += common;
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, offset);
    directory += file.name;
  }
  auto directory_offset = static_cast<std::uint32_t>(zip.size());
  zip += directory;
  Put32(zip, 0x06054b50);
  Put16(zip, 0);
  Put16(zip, 0);
  Put16(zip, static_cast<std::uint32_t>(files.size()));
  Put16(zip, static_cast<std::uint32_t>(files.size()));
  Put32(zip, static_cast<std::uint32_t>(directory.size()));
  Put32(zip, directory_offset);
  Put16(zip, 0);
  return zip;
}

}  // namespace tarvik::tests
