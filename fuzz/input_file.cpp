// Failing inputs as text files, one item a line with bytes in hexadecimal,
// so that a test can replay them and a reader can see what went in.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "fuzz/fuzz.h"

namespace kvt::fuzz {

namespace {

constexpr char kHeader[] = "kvt-fuzz-input 1";
constexpr const char *kKeys[] = {"ok", "cancel", "enter", "escape"};

std::string Hex(std::span<const BYTE> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "-";  // so that no bytes are still a word
  for (BYTE b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

std::string Hex(const std::string &text) {
  return Hex(std::span(reinterpret_cast<const BYTE *>(text.data()), text.size()));
}

Bytes FromHex(const std::string &text) {
  Bytes bytes;
  for (std::size_t i = 1; i + 1 < text.size(); i += 2) {
    bytes.push_back(static_cast<BYTE>(std::stoul(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

std::string TextFromHex(const std::string &text) {
  const Bytes bytes = FromHex(text);
  return {bytes.begin(), bytes.end()};
}

// An answer up to its last byte that is not zero.
std::span<const BYTE> Used(const TelegramRecord &record) {
  std::size_t size = record.size();
  while (size > 0 && record[size - 1] == 0) --size;
  return std::span(record).first(size);
}

}  // namespace

bool WriteInput(const std::string &path, const Input &input, const std::string &why) {
  std::ofstream out(path, std::ios::binary);
  out << kHeader << "\nwhy " << why << "\nentry " << static_cast<int>(input.entry) << "\ndevice " << int{input.device}
      << " type " << int{input.type} << " address " << int{input.address} << " variant " << int{input.variant}
      << "\nfaults " << Hex(input.faults) << "\ncommand " << input.handler << ' ' << input.telegram << " phase "
      << input.paramPhase << "\ncapacity " << input.capacity << "\nhost " << Hex(input.hostText) << "\nblock "
      << (input.hasBlock ? Hex(input.block) : "none") << "\npassword "
      << (input.hasPassword ? Hex(input.password) : "none") << '\n';
  for (const Delivered &answer : input.answers)
    out << "answer " << (answer.answered ? Hex(Used(answer.record)) : "none") << '\n';
  for (const Bytes &text : input.texts) out << "text " << Hex(text) << '\n';
  if (!input.file.empty()) out << "file " << Hex(input.file) << '\n';
  for (const Round &round : input.rounds) {
    out << "round " << kKeys[static_cast<int>(round.key)] << '\n';
    for (const Typed &typed : round.typed) {
      out << "type " << typed.control << ' ' << static_cast<int>(typed.how) << ' ' << Hex(typed.text) << '\n';
    }
    for (int control : round.clicked) out << "click " << control << '\n';
  }
  return static_cast<bool>(out);
}

bool ReadInput(const std::string &path, Input &input) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return false;
  input = Input{};
  while (std::getline(in, line)) {
    std::istringstream items(line);
    std::string key, word;
    items >> key;
    int a = 0, b = 0, c = 0, d = 0;
    if (key == "entry" && items >> a) {
      input.entry = static_cast<Entry>(a);
    } else if (key == "device") {
      items >> a >> word >> b >> word >> c >> word >> d;
      input.device = static_cast<BYTE>(a), input.type = static_cast<BYTE>(b);
      input.address = static_cast<BYTE>(c), input.variant = static_cast<BYTE>(d);
    } else if (key == "faults" && items >> word) {
      input.faults = TextFromHex(word);
    } else if (key == "command") {
      items >> input.handler >> input.telegram >> word >> input.paramPhase;
    } else if (key == "capacity") {
      items >> input.capacity;
    } else if (key == "host") {
      items >> word;
      input.hostText = FromHex(word);
    } else if (key == "block" && items >> word) {
      input.hasBlock = word != "none";
      if (input.hasBlock) input.block = FromHex(word);
    } else if (key == "password" && items >> word) {
      input.hasPassword = word != "none";
      if (input.hasPassword) input.password = TextFromHex(word);
    } else if (key == "answer" && items >> word) {
      Delivered &answer = input.answers.emplace_back();
      answer.answered = word != "none";
      const Bytes bytes = answer.answered ? FromHex(word) : Bytes{};
      std::copy_n(bytes.begin(), std::min(bytes.size(), answer.record.size()), answer.record.begin());
    } else if (key == "text" && items >> word) {
      input.texts.push_back(FromHex(word));
    } else if (key == "file" && items >> word) {
      input.file = FromHex(word);
    } else if (key == "round" && items >> word) {
      Round &round = input.rounds.emplace_back();
      for (int k = 0; k < 4; ++k) {
        if (word == kKeys[k]) round.key = static_cast<Key>(k);
      }
    } else if (key == "type" && !input.rounds.empty() && items >> a >> b >> word) {
      input.rounds.back().typed.push_back({a, static_cast<Typing>(b), TextFromHex(word)});
    } else if (key == "click" && !input.rounds.empty() && items >> a) {
      input.rounds.back().clicked.push_back(a);
    }
  }
  return true;
}

}  // namespace kvt::fuzz
