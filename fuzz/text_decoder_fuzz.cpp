// The text-file decoder: any bytes are read, and a file the reader calls exact is written back
// byte for byte.
#include "fuzz_target.h"
#include "platform/text_file.h"

OSTREL_FUZZ_TARGET(text_decoder) {
  using namespace platform;
  ReadFidelity fidelity;
  const TextFormat format = TextFile::detect(data, &fidelity);
  QByteArray utf8;
  TextFile::decodeToUtf8(data, format, [&utf8](QByteArrayView piece) { utf8.append(piece); });
  fuzz::Check(utf8.size() == TextFile::decodedSize(data, format) || fidelity.invalidBytes,
              "decodedSize tells the size of the decoded text", data);
  if (!fidelity.exact()) return;
  QByteArray back;
  TextFile::encodeFromUtf8(utf8, format, [&back](QByteArrayView piece) { back.append(piece); });
  fuzz::Check(back == data, "an exact read writes back the same bytes", data);
}
