// A small filter the program-exchange tests run as a real child process. The first argument
// picks what it does; the input and output files follow, as a program line passes them.
//   upper IN [OUT]  upper-cases ASCII letters of IN into OUT (into IN itself without OUT)
//   markcr IN OUT   copies IN with every CR written as "<CR>"
//   zero IN OUT     copies IN with every space written as a NUL byte
//   args IN OUT...  writes every argument after the mode, one per line, into OUT
//   modes IN OUT    writes the permission bits of IN and of its folder, in octal, into OUT
//   empty IN OUT    creates OUT empty        nothing IN OUT  exits 0 and writes nothing
//   fail IN OUT     complains on its error output in 30 numbered lines and exits 3
//   partial IN OUT  writes "partial" into OUT, then fails as fail does
//   crash IN OUT    writes "partial" into OUT, complains once and aborts
//   wait IN OUT     waits until it is killed
//   gate IN OUT     waits until a file "go" appears beside IN, then works as upper
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string readAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int writeAll(const char* path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return out ? 0 : 2;
}

int upperCase(const char* in, const char* out) {
  std::string text = readAll(in);
  for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
  return writeAll(out, text);
}

// "ошибка 1" to "ошибка 30" on the error output, then exit code 3.
int complain() {
  for (int line = 1; line <= 30; ++line) std::fprintf(stderr, "ошибка %d\n", line);
  return 3;
}

unsigned modeOf(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? unsigned(info.st_mode & 07777) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 1;
  const std::string mode = argv[1];
  const char* in = argv[2];
  const char* out = argc > 3 ? argv[3] : in;
  if (mode == "upper") return upperCase(in, out);
  if (mode == "markcr") {
    std::string text;
    for (char c : readAll(in)) text += c == '\r' ? std::string("<CR>") : std::string(1, c);
    return writeAll(out, text);
  }
  if (mode == "zero") {
    std::string text = readAll(in);
    for (char& c : text)
      if (c == ' ') c = '\0';
    return writeAll(out, text);
  }
  if (mode == "args") {
    std::string text;
    for (int i = 2; i < argc; ++i) text += std::string(argv[i]) + "\n";
    return writeAll(out, text);
  }
  if (mode == "modes") {
    const std::string path = in;
    const std::string folder = path.substr(0, path.rfind('/'));
    char text[64];
    std::snprintf(text, sizeof text, "%o %o", modeOf(path), modeOf(folder));
    return writeAll(out, text);
  }
  if (mode == "empty") return writeAll(out, "");
  if (mode == "nothing") return 0;
  if (mode == "fail") return complain();
  if (mode == "partial") return writeAll(out, "partial") == 0 ? complain() : 2;
  if (mode == "crash") {
    writeAll(out, "partial");
    std::fputs("сбой\n", stderr);
    std::fflush(stderr);
    std::abort();
  }
  if (mode == "gate") {
    const std::string path = in;
    const std::string go = path.substr(0, path.rfind('/')) + "/go";
    while (access(go.c_str(), F_OK) != 0) usleep(10000);
    return upperCase(in, out);
  }
  if (mode == "wait") {
    for (;;) pause();
  }
  return 1;
}
