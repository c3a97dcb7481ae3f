// Feeds generated and mutated inputs, reproducible from a seed, to the tag stripper, the link
// extraction and import of HTML documents (files in a scratch folder), the text-file reader in
// every encoding, the index data reader and the GIF picture (loaded, drawn and saved); checks
// them against straightforward forms where one exists, and counts mismatches, exceptions,
// inputs over the time limit and the peak memory. Exits with 1 when anything went wrong.
//
//   bench_fuzz [--count N] [--seed S] [--limit-ms MS] [--pixels-per-ms P] [--memory-mb MB]
//
// A GIF picture's limit grows by 1 ms for every P pixels (default 40,000) that it must draw: its
// logical screen, which the cache and the rendering cover, and its frames.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

#include "classlib/ListView.h"
#include "classlib/MessageBoxes.h"
#include "gif/GifItem.h"
#include "gif/GifPicture.h"
#include "ucode/UCodeRegistration.h"
#include "engine/u_HtmlHelpers.h"
#include "engine/u_IndexStore.h"
#include "engine/u_WideFuncText.h"
#include "engine/u_funktionen.h"
#include "tests/support/HtmlReference.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"
#include "ucode/UCodeComCtrls.h"
#include "bench/BenchSupport.h"

namespace {

struct Args {
  int count = 2000;
  unsigned seed = 1;
  int limitMs = 2000;
  int pixelsPerMs = 40000;
  int memoryMb = 1024;
};

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--count" && i + 1 < argc) args.count = atoi(argv[++i]);
    else if (a == "--seed" && i + 1 < argc) args.seed = static_cast<unsigned>(atol(argv[++i]));
    else if (a == "--limit-ms" && i + 1 < argc) args.limitMs = atoi(argv[++i]);
    else if (a == "--pixels-per-ms" && i + 1 < argc) args.pixelsPerMs = std::max(1, atoi(argv[++i]));
    else if (a == "--memory-mb" && i + 1 < argc) args.memoryMb = atoi(argv[++i]);
  }
  return args;
}

// Inputs made of pieces that matter to the routines, then mutated character by character.
class TInputs {
 public:
  explicit TInputs(unsigned seed) : m_random(seed) {}

  std::wstring Markup(size_t maxPieces) {
    static const wchar_t* const pieces[] = {
        L"<",       L">",        L"<b>",     L"</b>",      L"<a href=\"", L"\">",     L"</a>",   L"<a href=\"b.htm\">",
        L"\"",      L"&amp;",    L"&uuml;",  L"&#228;",    L"&#x1F600;",  L"&",       L"&#",     L";",
        L" ",       L".",        L"\r\n",    L"\n",        L"Haus",       L"gr\u00FC", L"\u20AC", L"\U0001F600",
        L"<p x=1>", L"<!-- c -->", L"<a<b>", L"<b>>",      L"c.txt",      L"sub/",    L"..\\",   L"\xD800"};
    std::wstring text;
    const size_t count = m_random() % (maxPieces + 1);
    for (size_t i = 0; i < count; ++i) text += pieces[m_random() % std::size(pieces)];
    return Mutate(text);
  }

  std::wstring Mutate(std::wstring text) {
    const int mutations = static_cast<int>(m_random() % 4);
    for (int m = 0; m < mutations && !text.empty(); ++m) {
      const size_t at = m_random() % text.size();
      switch (m_random() % 3) {
        case 0: text[at] = static_cast<wchar_t>(m_random() % 0x10000); break;
        case 1: text.erase(at, 1 + m_random() % 4); break;
        default: text.insert(at, text.substr(at, m_random() % 8)); break;
      }
    }
    return text;
  }

  std::string Bytes(size_t maxLength) {
    std::string bytes(m_random() % (maxLength + 1), '\0');
    for (auto& b : bytes) b = static_cast<char>(m_random());
    return bytes;
  }

  std::wstring TextWithoutSurrogates(size_t maxLength) {
    std::wstring text;
    const size_t length = m_random() % (maxLength + 1);
    while (text.size() < length) {
      unsigned cp = m_random() % 4 == 0 ? 0x10000 + m_random() % 0xFFFFF : 1 + m_random() % 0xFFFD;
      if (cp >= 0xD800 && cp <= 0xDFFF) continue;
      if (text.empty() && cp == 0xFEFF) continue;
      text += CodePointToWideStr(static_cast<int>(cp));
    }
    return text;
  }

  unsigned Next() { return m_random(); }

 private:
  std::mt19937 m_random;
};

// The links as the plain reading of the rules finds them: the rest of the text cut down step by
// step; a link whose quotes or tag end are missing ends the search.
std::vector<THtmlLink> PlainLinks(std::wstring text) {
  std::vector<THtmlLink> links;
  text = WideAdjustLineBreaks(text);
  for (;;) {
    size_t at = text.find(L"<a href");
    if (at == std::wstring::npos) return links;
    text.erase(0, at);
    size_t quote = text.find(L'"');
    if (quote == std::wstring::npos) return links;
    text.erase(0, quote + 1);
    size_t close = text.find(L'"');
    size_t gt = text.find(L'>');
    if (close == std::wstring::npos || gt == std::wstring::npos) return links;
    THtmlLink link;
    link.Href = text.substr(0, close);
    size_t lt = text.find(L'<');
    if (lt != std::wstring::npos && lt > gt) link.Label = text.substr(gt + 1, lt - gt - 1);
    auto trim = [](std::wstring s) {
      while (!s.empty() && s.back() < 0x21) s.pop_back();
      size_t b = 0;
      while (b < s.size() && s[b] < 0x21) ++b;
      return s.substr(b);
    };
    link.Href = trim(DecodeHtmlCharacterReferences(link.Href));
    link.Label = trim(DecodeHtmlCharacterReferences(link.Label));
    links.push_back(link);
    text.erase(0, gt);
  }
}

struct TTally {
  const char* name;
  long inputs = 0, mismatches = 0, exceptions = 0, slow = 0;
  double longestMs = 0;
  long longestInput = -1;  // counted only where findings are kept as files, to name the file
};

class TFuzzer {
 public:
  TFuzzer(const Args& args) : m_args(args), m_inputs(args.seed) {}

  // Runs one input; the check returns false on a mismatch.
  void Run(TTally& tally, const std::function<bool()>& check, const std::wstring& shown) {
    ++tally.inputs;
    const auto start = std::chrono::steady_clock::now();
    bool ok = true;
    try {
      ok = check();
    } catch (const std::exception& e) {
      ++tally.exceptions;
      if (tally.exceptions <= 3) std::printf("  %s: exception %s\n", tally.name, e.what());
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    tally.longestMs = std::max(tally.longestMs, ms);
    if (ms > m_args.limitMs) ++tally.slow;
    if (!ok && ++tally.mismatches <= 3) std::printf("  %s: mismatch on input %ld (%zu units)\n", tally.name, tally.inputs, shown.size());
  }

  TInputs& Inputs() { return m_inputs; }

 private:
  const Args& m_args;
  TInputs m_inputs;
};

std::wstring ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"kx_fuzz_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"sub").c_str(), nullptr);
  SaveTextFileW(L"b", folder + L"b.htm", kEncodingUtf8, false);
  SaveTextFileW(L"c", folder + L"c.txt", kEncodingUtf8, false);
  SaveTextFileW(L"d", folder + L"sub\\d.htm", kEncodingUtf8, false);
  return folder;
}

const int kEncodings[] = {kEncodingAnsi, kEncodingUtf16LE, kEncodingUtf16BE, kEncodingUtf7Ansi, kEncodingUtf7,
                          kEncodingUtf8,  kEncodingUtf8BOM, kEncodingUtf32LE, kEncodingUtf32BE};

// Encodings whose files say what they are, so that a text comes back whole.
bool RoundTrips(int encoding) {
  return encoding == kEncodingUtf16LE || encoding == kEncodingUtf16BE || encoding == kEncodingUtf8 ||
         encoding == kEncodingUtf8BOM || encoding == kEncodingUtf32LE || encoding == kEncodingUtf32BE ||
         encoding == kEncodingUtf7;
}

// ---------------------------------------------------------------------------------------------
// GIF pictures: seed streams cut into their blocks, mutated where the reader decides something
// (sizes, packed fields, code sizes, labels, sub-block lengths), then truncated, duplicated and
// bit-flipped; each is loaded, drawn into a bitmap in one of several ways, saved, and the saved
// stream read back.

// A block after the header: an extension ("!", the label, sub-blocks), a frame (",", the
// descriptor, local table and code size, sub-blocks), or a lone byte (the trailer, or whatever
// a mutation put there).
struct TGifStreamBlock {
  char introducer = ';';
  std::string head;
  std::vector<std::string> subBlocks;
  std::vector<int> claimed;  // the length byte written before each sub-block; -1: its own length
  bool terminated = true;    // the zero-length block follows the sub-blocks
};

struct TGifStreamParts {
  std::string header;  // signature, screen descriptor, global table
  std::vector<TGifStreamBlock> blocks;
  std::string trailing;  // after the trailer
};

int GifTableBytes(std::uint8_t packed) { return packed & 0x80 ? 3 * (2 << (packed & 7)) : 0; }

// The sub-blocks at the stream's position, read as the codec reads them, and whether the
// zero-length block ended them (it is the one byte read beyond their lengths and data).
void ReadStreamSubBlocks(TStream& stream, TGifStreamBlock& block) {
  const std::int64_t start = stream.GetPosition();
  block.subBlocks = ReadGifSubBlocks(&stream);
  block.claimed.assign(block.subBlocks.size(), -1);
  std::int64_t lengthsAndData = 0;
  for (const std::string& data : block.subBlocks) lengthsAndData += 1 + static_cast<std::int64_t>(data.size());
  block.terminated = stream.GetPosition() > start + lengthsAndData;
}

// Cuts a well-formed stream (the seeds are) into its parts.
TGifStreamParts SplitGif(const std::string& bytes) {
  TGifStreamParts parts;
  TStringStream stream(bytes);
  parts.header = stream.ReadString(13 + GifTableBytes(static_cast<std::uint8_t>(bytes[10])));
  for (char introducer = 0; stream.Read(&introducer, 1) == 1;) {
    TGifStreamBlock block;
    block.introducer = introducer;
    if (block.introducer == '!') {
      block.head = stream.ReadString(1);
      ReadStreamSubBlocks(stream, block);
    } else if (block.introducer == ',') {
      block.head = stream.ReadString(9);
      if (block.head.size() == 9)
        block.head += stream.ReadString(GifTableBytes(static_cast<std::uint8_t>(block.head[8])));
      block.head += stream.ReadString(1);  // the code size
      ReadStreamSubBlocks(stream, block);
    } else if (block.introducer == ';') {
      parts.blocks.push_back(block);
      parts.trailing = stream.ReadString(static_cast<int>(bytes.size()));
      break;
    }
    parts.blocks.push_back(block);
  }
  return parts;
}

std::string JoinGif(const TGifStreamParts& parts) {
  std::string out = parts.header;
  for (const TGifStreamBlock& block : parts.blocks) {
    out += block.introducer;
    if (block.introducer != '!' && block.introducer != ',') continue;
    out += block.head;
    for (size_t i = 0; i < block.subBlocks.size(); ++i) {
      const int claimed = block.claimed[i];
      out += static_cast<char>(claimed < 0 ? block.subBlocks[i].size() : static_cast<size_t>(claimed));
      out += block.subBlocks[i];
    }
    if (block.terminated) out += '\0';
  }
  return out + parts.trailing;
}

void PutWord(std::string& bytes, size_t at, int value) {
  if (at + 1 >= bytes.size()) return;
  bytes[at] = static_cast<char>(value & 255);
  bytes[at + 1] = static_cast<char>((value >> 8) & 255);
}

// The seeds: streams the codec writes from pictures built here, with every kind of block it
// knows, and a few written byte by byte for what the codec does not write itself.
std::vector<std::string> GifSeeds() {
  std::vector<std::string> seeds;
  auto saved = [&](TGifPicture& picture) {
    TStringStream stream;
    picture.SaveToStream(&stream);
    seeds.push_back(stream.GetDataString());
  };
  auto frameOf = [](TGifPicture& picture, int left, int top, int width, int height, int colours,
                    bool local) {
    auto frame = std::make_unique<TGifFrame>(&picture);
    if (local)
      for (int c = 0; c < colours; ++c)
        frame->GetColorMap()->Add(static_cast<TColor>(RGB(c * 37 & 255, c * 91 & 255, c * 13 & 255)));
    frame->SetLeft(left);
    frame->SetTop(top);
    frame->SetWidth(width);
    frame->SetHeight(height);
    for (size_t i = 0; i < frame->GetDataSize(); ++i)
      frame->GetData()[i] = static_cast<std::uint8_t>((i * 7 + i / 5) % static_cast<size_t>(colours));
    TGifFrame* added = frame.get();
    picture.Add(frame.release());
    return added;
  };
  auto control = [](TGifFrame* frame, int delay, TGifDisposal disposal, int transparent) {
    auto extension = std::make_unique<TGifGraphicControlExtension>(frame);
    TGifGraphicControlExtension* made = extension.get();
    frame->GetExtensions()->Add(std::move(extension));
    made->SetDelay(delay);
    made->SetDisposal(disposal);
    if (transparent >= 0) {
      made->SetTransparentColorIndex(transparent);
      made->SetTransparent(true);
      frame->SetTransparentFlag(true);
    }
  };
  for (std::uint8_t compression : {kGifCompressionLZW, kGifCompressionRLE}) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(16, 12);
    for (int y = 0; y < 12; ++y) {
      auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
      for (int x = 0; x < 48; ++x) row[x] = static_cast<std::uint8_t>(x * 5 + y * 20);
    }
    TGifPicture picture;
    picture.SetCompression(compression);
    picture.Assign(&bitmap);
    saved(picture);
  }
  {
    TGifPicture picture;
    TGifFrame* first = frameOf(picture, 0, 0, 12, 9, 2, true);
    auto loop = std::make_unique<TGifLoopExtension>(first);
    loop->SetLoops(2);
    loop->SetBufferSize(4096);
    first->GetExtensions()->Add(std::move(loop));
    auto comment = std::make_unique<TGifCommentExtension>(first);
    comment->Comment = {"seed", std::string(300, 'c')};
    first->GetExtensions()->Add(std::move(comment));
    control(first, 5, dmNone, -1);
    TGifFrame* second = frameOf(picture, 3, 2, 6, 5, 4, true);
    control(second, 1, dmBackground, 3);
    auto text = std::make_unique<TGifTextExtension>(second);
    text->GridWidth = 8;
    text->GridHeight = 8;
    text->CharWidth = 4;
    text->CharHeight = 8;
    text->Text = {"Kaptorix"};
    second->GetExtensions()->Add(std::move(text));
    TGifFrame* third = frameOf(picture, 8, 4, 4, 5, 16, true);
    control(third, 0, dmPrevious, 0);
    auto unknown = std::make_unique<TGifUnknownAppExtension>(third);
    unknown->SetIdentifier("KAPTORIXFUZ");
    unknown->Blocks = {TGifBlock{"abc"}, TGifBlock{std::string(40, 'z')}};
    third->GetExtensions()->Add(std::move(unknown));
    saved(picture);
  }
  {
    TGifPicture picture;
    for (int c = 0; c < 8; ++c)
      picture.GetGlobalColorMap()->Add(static_cast<TColor>(RGB(c * 30, 255 - c * 30, c * 10)));
    picture.GetHeader()->SetBackgroundColorIndex(2);
    TGifFrame* first = frameOf(picture, 0, 0, 10, 11, 8, false);
    first->SetInterlaced(true);
    TGifFrame* second = frameOf(picture, 1, 1, 9, 3, 8, false);
    control(second, 2, dmBackground, 5);
    saved(picture);
  }
  // A frame of one pixel on a two-colour table; then what the codec never writes: an
  // application block of size 10, zero bytes between blocks, a frame of no pixels, a 4-byte
  // prefix, "GIF87a" with a frame that is not there.
  {
    TGifPicture picture;
    frameOf(picture, 0, 0, 1, 1, 2, true);
    saved(picture);
  }
  std::string one = seeds.back();
  std::string extras = one.substr(0, one.size() - 1);
  extras += std::string("!\xFF\x0A", 3) + "ABCDEFGHIJ" + std::string("\x02xy\x00", 4);
  extras += std::string("\x00\x00", 2);
  extras += std::string(",\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x01\x2C\x00", 14);
  extras += ";";
  seeds.push_back(extras);
  seeds.push_back("RIFF" + one);
  seeds.push_back(std::string("GIF87a\x04\x00\x04\x00\x80\x00\x00", 13) + std::string(6, '\x7F') + ";");
  return seeds;
}

class TGifMutator {
 public:
  TGifMutator(TInputs& inputs, const std::vector<std::string>& seeds) : m_in(inputs) {
    for (const std::string& seed : seeds) m_parts.push_back(SplitGif(seed));
  }

  std::string Next() {
    TGifStreamParts parts = m_parts[Pick(m_parts.size())];
    const int structural = 1 + static_cast<int>(Pick(4));
    for (int m = 0; m < structural; ++m) MutateStructure(parts);
    std::string bytes = JoinGif(parts);
    switch (Pick(6)) {
      case 0: bytes.resize(Pick(bytes.size() + 1)); break;  // cut anywhere
      case 1:
        for (int flips = 1 + static_cast<int>(Pick(4)); flips > 0 && !bytes.empty(); --flips)
          bytes[Pick(bytes.size())] ^= static_cast<char>(1 << Pick(8));
        break;
      default: break;
    }
    return bytes;
  }

 private:
  size_t Pick(size_t count) { return count ? m_in.Next() % count : 0; }
  long Position(size_t count) { return static_cast<long>(Pick(count)); }
  // A byte set anew or with one bit flipped.
  char Changed(char byte) { return static_cast<char>(Pick(2) ? m_in.Next() : byte ^ (1 << Pick(8))); }

  int Side() {
    static const int kSides[] = {0,   1,   2,    3,    7,     8,     15,    16,   63,
                                 64, 255, 256, 1000, 4096, 16384, 16385, 32768, 65535};
    if (Pick(8) != 0) return static_cast<int>(Pick(70));
    return kSides[Pick(std::size(kSides))];
  }

  int Length(const std::string& subBlock) {
    switch (Pick(5)) {
      case 0: return 0;
      case 1: return 255;
      case 2: return static_cast<int>(subBlock.size()) + 1;
      case 3: return std::max(0, static_cast<int>(subBlock.size()) - 1);
      default: return static_cast<int>(Pick(256));
    }
  }

  TGifStreamBlock* AnyBlock(TGifStreamParts& parts, char introducer) {
    std::vector<TGifStreamBlock*> found;
    for (TGifStreamBlock& block : parts.blocks)
      if (block.introducer == introducer || introducer == 0) found.push_back(&block);
    return found.empty() ? nullptr : found[Pick(found.size())];
  }

  void MutateStructure(TGifStreamParts& parts) {
    std::string& header = parts.header;
    TGifStreamBlock* frame = AnyBlock(parts, ',');
    TGifStreamBlock* extension = AnyBlock(parts, '!');
    TGifStreamBlock* block = AnyBlock(parts, 0);
    switch (Pick(16)) {
      case 0: PutWord(header, 6 + 2 * Pick(2), Side()); break;  // screen width or height
      case 1:
        if (header.size() > 10) header[10] = Changed(header[10]);
        break;
      case 2:
        if (header.size() > 12) header[11 + Pick(2)] = static_cast<char>(m_in.Next());  // background, aspect
        break;
      case 3:
        if (frame) PutWord(frame->head, 2 * Pick(4), Side());  // left, top, width, height
        break;
      case 4:
        if (frame && frame->head.size() > 8)
          frame->head[8] = Changed(frame->head[8]);
        break;
      case 5:
        if (frame && !frame->head.empty()) {
          static const int kCodeSizes[] = {0, 1, 2, 3, 4, 7, 8, 9, 11, 12, 255};
          frame->head.back() = static_cast<char>(kCodeSizes[Pick(std::size(kCodeSizes))]);
        }
        break;
      case 6:
        if (extension && !extension->head.empty()) {
          static const int kLabels[] = {0x01, 0xF9, 0xFE, 0xFF, 0x00, 0x02, 0x21, 0x2C, 0x3B};
          const int label = Pick(4) ? kLabels[Pick(std::size(kLabels))] : static_cast<int>(m_in.Next());
          extension->head[0] = static_cast<char>(label);
        }
        break;
      case 7:
        if (block && !block->subBlocks.empty()) {
          const size_t i = Pick(block->subBlocks.size());
          block->claimed[i] = Length(block->subBlocks[i]);
        }
        break;
      case 8:
        if (block && !block->subBlocks.empty()) {  // a byte of a sub-block: GCE fields, identifiers, codes
          std::string& data = block->subBlocks[Pick(block->subBlocks.size())];
          if (!data.empty()) data[Pick(data.size())] = static_cast<char>(Pick(2) ? m_in.Next() : Pick(4));
        }
        break;
      case 9:
        if (block && !block->subBlocks.empty()) {  // a sub-block shortened, lengthened, doubled or dropped
          const size_t i = Pick(block->subBlocks.size());
          switch (Pick(4)) {
            case 0: block->subBlocks[i].resize(Pick(block->subBlocks[i].size() + 1)); break;
            case 1: block->subBlocks[i].append(Pick(64), static_cast<char>(m_in.Next())); break;
            case 2:
              block->subBlocks.insert(block->subBlocks.begin() + static_cast<long>(i), block->subBlocks[i]);
              block->claimed.insert(block->claimed.begin() + static_cast<long>(i), -1);
              break;
            default:
              block->subBlocks.erase(block->subBlocks.begin() + static_cast<long>(i));
              block->claimed.erase(block->claimed.begin() + static_cast<long>(i));
              break;
          }
          for (std::string& data : block->subBlocks) data.resize(std::min<size_t>(data.size(), 255));
        }
        break;
      case 10:
        if (block) block->terminated = !block->terminated;
        break;
      case 11:
        if (block) parts.blocks.insert(parts.blocks.begin() + Position(parts.blocks.size() + 1), *block);
        break;
      case 12:
        if (!parts.blocks.empty()) parts.blocks.erase(parts.blocks.begin() + Position(parts.blocks.size()));
        break;
      case 13:
        if (parts.blocks.size() > 1)
          std::swap(parts.blocks[Pick(parts.blocks.size())], parts.blocks[Pick(parts.blocks.size())]);
        break;
      case 14:
        if (block) {
          static const char kIntroducers[] = {'\0', '!', ',', ';', '\x01', '\xFF'};
          block->introducer = kIntroducers[Pick(std::size(kIntroducers))];
        }
        break;
      default: {  // a block of another seed
        const TGifStreamParts& other = m_parts[Pick(m_parts.size())];
        if (!other.blocks.empty())
          parts.blocks.insert(parts.blocks.begin() + Position(parts.blocks.size() + 1),
                              other.blocks[Pick(other.blocks.size())]);
        break;
      }
    }
  }

  TInputs& m_in;
  std::vector<TGifStreamParts> m_parts;
};

// The frames with pixels, as the reader left them.
std::vector<std::vector<std::uint8_t>> FramePixels(TGifPicture& picture) {
  std::vector<std::vector<std::uint8_t>> frames;
  for (int i = 0; i < picture.GetImages()->GetCount(); ++i) {
    TGifFrame* frame = picture.GetImages()->GetFrame(i);
    if (frame->GetEmpty()) continue;
    frames.emplace_back(frame->GetData(), frame->GetData() + frame->GetDataSize());
  }
  return frames;
}

// One of four ways to show a picture: the default threaded animation into the cache, a
// synchronous animation with the display options mixed, each frame on its own, or the picture
// as one bitmap and optimised.
void ShowGif(TGifPicture& picture, unsigned way, unsigned options) {
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(40, 30);
  const RECT area = options & 1 ? RECT{0, 0, 40, 30} : RECT{5, 3, 5 + static_cast<LONG>(options % 31), 20};
  const unsigned displayBits =
      goTransparent | goLoopContinously | goValidateCanvas | goDirectDraw | goClearOnLoop | goTile | goDither;
  const auto mixed = static_cast<std::uint16_t>(options & displayBits);
  switch (way % 4) {
    case 0:
      picture.SetAnimationSpeed(-1);
      picture.Draw(target.GetCanvas(), area);
      break;
    case 1:
      picture.SetAnimationSpeed(1000000);
      picture.SetDrawOptions(static_cast<std::uint16_t>(goAnimate | mixed));
      picture.Draw(target.GetCanvas(), area);
      break;
    case 2:
      picture.SetDrawOptions(mixed);
      for (int i = 0; i < std::min(8, picture.GetImages()->GetCount()); ++i) {
        picture.SetForceFrame(i);
        picture.Draw(target.GetCanvas(), area);
      }
      break;
    default: {
      TBitmap whole;
      whole.Assign(&picture);
      picture.GetPalette();
      picture.Optimize(static_cast<std::uint8_t>(options & 0x0F), 6, 0, 8);
      break;
    }
  }
}

// The pixels a loaded picture makes the codec draw: its logical screen (the cache of an
// animation, the rendering as one bitmap) and every frame's own bitmap.
long long PixelsToDraw(TGifPicture& picture) {
  long long pixels = static_cast<long long>(picture.GetWidth()) * picture.GetHeight();
  for (int i = 0; i < picture.GetImages()->GetCount(); ++i) {
    TGifFrame* frame = picture.GetImages()->GetFrame(i);
    pixels += static_cast<long long>(frame->GetWidth()) * frame->GetHeight();
  }
  return pixels;
}

// Loads, shows and saves one input and reads the saved stream back. False, with what went
// wrong, when a picture with frames does not save or the saved stream does not read back to the
// frames saved. Pixels: what the loaded picture must draw.
bool ExerciseGif(const std::string& bytes, unsigned way, unsigned options, std::string& problem,
                 long long& pixels) {
  TGifPicture picture;
  {
    TStringStream stream(bytes);
    try {
      picture.LoadFromStream(&stream);
    } catch (const EGifError&) {
      // refused; what was read before stays and is shown and saved
    }
  }
  pixels = PixelsToDraw(picture);
  try {
    ShowGif(picture, way, options);
  } catch (const EGifError&) {
  }
  TStringStream saved;
  try {
    picture.SaveToStream(&saved);
  } catch (const EGifError& e) {
    if (picture.GetEmpty()) return true;  // nothing to save
    problem = std::string("the picture does not save: ") + e.what();
    return false;
  }
  TGifPicture again;
  TStringStream stream(saved.GetDataString());
  try {
    again.LoadFromStream(&stream);
  } catch (const EGifError& e) {
    problem = std::string("the saved stream does not load: ") + e.what();
    return false;
  }
  if (FramePixels(again) != FramePixels(picture)) {
    problem = "the saved stream reads back to other pixels";
    return false;
  }
  return true;
}

struct TGifTally : TTally {
  TGifTally() : TTally{"GIF picture"} {}
  long messageBoxes = 0;  // shown by the error handler of a callback, such as a painter's
  long extendedLimits = 0;  // inputs whose pixels raised their limit by a millisecond or more
  // The input that came closest to its limit: its time, its limit and its pixels.
  double closestMs = 0, closestLimitMs = 1;
  long long closestPixels = 0;
  std::string lastBox;
};

// Any exception but the codec's own error and running out of memory (or of the system's
// bitmaps) is a finding, and so is an input over its time limit, which grows with the pixels it
// must draw; findings are kept as files in the current folder.
void RunGif(TGifTally& tally, const std::string& bytes, unsigned way, unsigned options, const Args& args) {
  const long input = tally.inputs++;
  const long boxes = tally.messageBoxes;
  const auto start = std::chrono::steady_clock::now();
  std::string problem;
  long long pixels = 0;
  try {
    if (!ExerciseGif(bytes, way, options, problem, pixels)) ++tally.mismatches;
  } catch (const std::bad_alloc&) {
  } catch (const EOutOfMemory&) {
  } catch (const EOutOfResources&) {
    // a bitmap the size of a huge logical screen, which the system cannot give
  } catch (const std::exception& e) {
    ++tally.exceptions;
    problem = std::string(typeid(e).name()) + ": " + e.what();
  }
  if (tally.messageBoxes > boxes && tally.lastBox.rfind("Out of", 0) != 0) {
    ++tally.exceptions;
    problem = "an error reached a message box";
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (ms > tally.longestMs) {
    tally.longestMs = ms;
    tally.longestInput = input;
  }
  const double limitMs = args.limitMs + static_cast<double>(pixels) / args.pixelsPerMs;
  if (pixels >= args.pixelsPerMs) ++tally.extendedLimits;
  if (ms / limitMs > tally.closestMs / tally.closestLimitMs) {
    tally.closestMs = ms;
    tally.closestLimitMs = limitMs;
    tally.closestPixels = pixels;
  }
  if (ms > limitMs) {
    ++tally.slow;
    if (problem.empty())
      problem = "took " + std::to_string(static_cast<int>(ms)) + " ms for " + std::to_string(pixels) +
                " pixels (limit " + std::to_string(static_cast<int>(limitMs)) + " ms)";
  }
  if (problem.empty()) return;
  const long findings = tally.mismatches + tally.exceptions + tally.slow;
  if (findings <= 10) {
    const std::string name = "gif-finding-" + std::to_string(input) + ".gif";
    std::printf("  GIF picture: input %ld (way %u, options %u): %s; kept as %s\n", input, way % 4, options,
                problem.c_str(), name.c_str());
    if (FILE* file = std::fopen(name.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterUnicodeLayer();
  const Args args = ParseArgs(argc, argv);
  TFuzzer fuzzer(args);
  TInputs& in = fuzzer.Inputs();
  const std::wstring folder = ScratchFolder();
  const std::wstring document = folder + L"doc.htm", textFile = folder + L"text.bin";
  TTally strip{"StripHtmlTags"}, links{"ImportHtmlLinks"}, reader{"text-file reader"}, idx{"index data reader"};
  TComponent owner(nullptr);
  auto* list = new TUCodeListView(&owner);
  TGifMutator gifInputs(in, GifSeeds());
  TGifTally gif;
  // An error that reaches a callback's guard is shown in a message box: counted, never waited on.
  SetMessageBoxAnswerer([&](const TMessageBoxRequest& request) {
    gif.lastBox = request.Text;
    if (++gif.messageBoxes <= 3) std::printf("  message box: %s\n", request.Text.c_str());
    return IDOK;
  });
  const auto begin = std::chrono::steady_clock::now();

  for (int i = 0; i < args.count; ++i) {
    const std::wstring markup = in.Markup(i % 10 == 0 ? 400 : 40);
    fuzzer.Run(strip, [&] { return StripHtmlTags(markup) == DecodeHtmlReferencesForWords(reference::StripTags(markup)); }, markup);

    const std::wstring page = in.Markup(30);
    fuzzer.Run(links, [&] {
      const std::vector<THtmlLink> found = ExtractHtmlLinks(page), plain = PlainLinks(page);
      bool same = found.size() == plain.size();
      for (size_t k = 0; same && k < found.size(); ++k)
        same = found[k].Href == plain[k].Href && found[k].Label == plain[k].Label;
      SaveTextFileW(page, document, kEncodingUtf8BOM, true);
      list->Clear();
      ImportHtmlLinks(document, list, TFileListOptions{(i & 1) != 0, (i & 2) != 0, (i & 4) != 0});
      int existing = 0;
      for (const auto& link : plain) existing += WideFileExists(LinkTargetPath(document, link.Href)) ? 1 : 0;
      // Without the test for doubles every link to an existing file is a row.
      return same && ((i & 1) != 0 ? list->GetItems()->GetCount() <= existing : list->GetItems()->GetCount() == existing);
    }, page);

    const int encoding = kEncodings[in.Next() % std::size(kEncodings)];
    const std::wstring text = in.TextWithoutSurrogates(i % 10 == 0 ? 2000 : 60);
    fuzzer.Run(reader, [&] {
      SaveTextFileW(text, textFile, encoding, true);
      const bool whole = LoadTextFileW(textFile) == text;
      // The same file with damaged bytes must still read (or be refused with an error).
      std::string bytes;
      {
        HANDLE file = CreateFileW(textFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD size = GetFileSize(file, nullptr), read = 0;
        bytes.resize(size);
        if (size) ReadFile(file, bytes.data(), size, &read, nullptr);
        CloseHandle(file);
      }
      for (int m = static_cast<int>(in.Next() % 4); m > 0 && !bytes.empty(); --m) bytes[in.Next() % bytes.size()] = static_cast<char>(in.Next());
      if (in.Next() % 4 == 0) bytes = in.Bytes(64);
      HANDLE file = CreateFileW(textFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      CloseHandle(file);
      try {
        LoadTextFileW(textFile);
      } catch (const EUCodeGeneralError&) {
        // a damaged UTF-7 body is refused
      }
      return whole || !RoundTrips(encoding);
    }, text);

    const std::wstring data = in.Markup(20) + L":" + in.Markup(10) + L"\r\n" + in.Markup(30);
    fuzzer.Run(idx, [&] {
      const std::vector<std::wstring> lines = SplitTextLines(data);
      size_t expected = 0;
      for (const auto& line : lines) {
        const size_t colon = line.find(L':');
        if (colon != std::wstring::npos && colon > 0 && line.find(L'>') != std::wstring::npos) ++expected;
      }
      SaveTextFileW(data, textFile, kEncodingUtf8, false);
      const TIndexFileResult loaded = LoadIndexFile(textFile, TIndexDataReadOptions{false});
      return loaded.FileFound && loaded.Store.EntryCount() == expected;
    }, data);

    const std::string gifBytes = gifInputs.Next();
    const unsigned way = in.Next(), options = in.Next();
    RunGif(gif, gifBytes, way, options, args);

    if (PeakMegabytes() > args.memoryMb) {
      std::printf("memory ceiling of %d MB passed after %d rounds\n", args.memoryMb, i + 1);
      break;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  bool failed = PeakMegabytes() > args.memoryMb;
  std::printf("seed %u, %.1f s, peak memory %.1f MB\n", args.seed, seconds, PeakMegabytes());
  for (const TTally* t : {&strip, &links, &reader, &idx, static_cast<TTally*>(&gif)}) {
    const std::string limit = t == &gif ? std::string("their limits") : std::to_string(args.limitMs) + " ms";
    std::printf("%-18s %8ld inputs, %ld mismatches, %ld exceptions, %ld over %s (longest %.1f ms", t->name,
                t->inputs, t->mismatches, t->exceptions, t->slow, limit.c_str(), t->longestMs);
    if (t->longestInput >= 0) std::printf(", input %ld", t->longestInput);
    std::printf(")\n");
    failed = failed || t->mismatches > 0 || t->exceptions > 0 || t->slow > 0;
  }
  std::printf("GIF picture limits: %d ms and 1 ms per %d pixels drawn, raised for %ld inputs; closest %.1f ms of %.1f ms (%lld pixels)\n",
              args.limitMs, args.pixelsPerMs, gif.extendedLimits, gif.closestMs, gif.closestLimitMs, gif.closestPixels);
  for (const wchar_t* name : {L"doc.htm", L"text.bin", L"b.htm", L"c.txt", L"sub\\d.htm"}) DeleteFileW((folder + name).c_str());
  RemoveDirectoryW((folder + L"sub").c_str());
  RemoveDirectoryW(folder.c_str());
  return failed ? 1 : 0;
}
