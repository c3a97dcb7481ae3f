// The extension blocks that precede a frame in a GIF stream (graphic control, plain text,
// comment, application extensions with the loop extension), and the two registries that
// choose an extension's class by its label and by its application identifier.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gif/GifItem.h"

class TGifFrame;
class TGifExtension;

// An extension class as the registries know it.
struct TGifExtensionClassInfo {
  const char* Name;
  std::uint8_t Label;
  TGifExtension* (*Create)(TGifFrame* Frame);
  // Narrows the choice by the block at the stream's position (the stream is restored after).
  const TGifExtensionClassInfo* (*Find)(TStream* Stream);
};
using TGifExtensionClass = const TGifExtensionClassInfo*;

class TGifExtension : public TGifItem {
  KX_CLASS(TGifExtension, TGifItem)
 public:
  explicit TGifExtension(TGifFrame* Frame);
  TGifFrame* GetFrame() const { return FFrame; }
  int GetVersion() const override { return kGifVersion89a; }
  virtual TGifExtensionClass GetClass() const = 0;
  std::uint8_t GetExtensionType() const { return GetClass()->Label; }

  // "!" and the label, then the block's own data.
  void SaveToStream(TStream* Stream) override;
  // Checks "!" ("Invalid extension introducer") and the label ("Internal error: Extension
  // Instance does not match Extension Label"), then reads the block's own data.
  void LoadFromStream(TStream* Stream) override;

  // The class for the block at the stream's position, or nullptr for an unregistered label.
  static TGifExtensionClass FindExtension(TStream* Stream);

 protected:
  virtual void SaveData(TStream* Stream) = 0;
  virtual void LoadData(TStream* Stream) = 0;

 private:
  TGifFrame* FFrame;
};

// Disposal methods of a frame.
enum TGifDisposal : std::uint8_t {
  dmNone = 0, dmNoDisposal = 1, dmBackground = 2, dmPrevious = 3
};

class TGifGraphicControlExtension : public TGifExtension {
  KX_CLASS(TGifGraphicControlExtension, TGifExtension)
 public:
  static const TGifExtensionClassInfo Class;
  TGifExtensionClass GetClass() const override { return &Class; }

  // Becomes the frame's graphic control extension when the frame has none yet.
  explicit TGifGraphicControlExtension(TGifFrame* Frame);
  ~TGifGraphicControlExtension() override;

  bool GetTransparent() const { return (FPacked & 1) != 0; }
  void SetTransparent(bool Value);
  // An index past the frame's table in force warns "Invalid color index" and stores 0.
  int GetTransparentColorIndex() const { return FTransparentIndex; }
  void SetTransparentColorIndex(int Value);
  int GetDelay() const { return FDelay; }  // hundredths of a second
  void SetDelay(int Value) { FDelay = static_cast<std::uint16_t>(Value); }
  TGifDisposal GetDisposal() const { return static_cast<TGifDisposal>((FPacked >> 2) & 7); }
  void SetDisposal(TGifDisposal Value);
  bool GetUserInput() const { return (FPacked & 2) != 0; }
  void SetUserInput(bool Value);
  // Renumbering of the frame's colours keeps the transparent entry.
  void MapTransparentIndex(int NewIndex) { FTransparentIndex = static_cast<std::uint8_t>(NewIndex); }

 protected:
  void SaveData(TStream* Stream) override;
  void LoadData(TStream* Stream) override;

 private:
  std::uint8_t FPacked = 0;
  std::uint16_t FDelay = 0;
  std::uint8_t FTransparentIndex = 0;
};

class TGifTextExtension : public TGifExtension {
  KX_CLASS(TGifTextExtension, TGifExtension)
 public:
  static const TGifExtensionClassInfo Class;
  TGifExtensionClass GetClass() const override { return &Class; }
  using TGifExtension::TGifExtension;

  int Left = 0, Top = 0, GridWidth = 0, GridHeight = 0;
  int CharWidth = 0, CharHeight = 0, ForegroundIndex = 0, BackgroundIndex = 0;
  std::vector<std::string> Text;

 protected:
  void SaveData(TStream* Stream) override;
  void LoadData(TStream* Stream) override;
};

class TGifCommentExtension : public TGifExtension {
  KX_CLASS(TGifCommentExtension, TGifExtension)
 public:
  static const TGifExtensionClassInfo Class;
  TGifExtensionClass GetClass() const override { return &Class; }
  using TGifExtension::TGifExtension;

  std::vector<std::string> Comment;

 protected:
  void SaveData(TStream* Stream) override;
  void LoadData(TStream* Stream) override;
};

class TGifApplicationExtension : public TGifExtension {
  KX_CLASS(TGifApplicationExtension, TGifExtension)
 public:
  static const TGifExtensionClassInfo Class;
  TGifExtensionClass GetClass() const override { return &Class; }
  using TGifExtension::TGifExtension;

  // Application name (8 bytes) and authentication code (3 bytes).
  std::string GetIdentifier() const { return std::string(FIdentifier, 11); }
  void SetIdentifier(const std::string& Value);

 protected:
  void SaveData(TStream* Stream) override;
  void LoadData(TStream* Stream) override;
  // The application's own sub-blocks, after the identifier.
  virtual void SaveAppData(TStream* Stream);
  virtual void LoadAppData(TStream* Stream);

 private:
  char FIdentifier[11] = {};
};

// One raw data sub-block.
struct TGifBlock {
  std::string Data;
};

class TGifUnknownAppExtension : public TGifApplicationExtension {
  KX_CLASS(TGifUnknownAppExtension, TGifApplicationExtension)
 public:
  static const TGifExtensionClassInfo Class;
  TGifExtensionClass GetClass() const override { return &Class; }
  using TGifApplicationExtension::TGifApplicationExtension;

  std::vector<TGifBlock> Blocks;

 protected:
  void SaveAppData(TStream* Stream) override;
  void LoadAppData(TStream* Stream) override;
};

// "NETSCAPE2.0": how often an animation repeats (0 for ever) and an optional buffer size.
class TGifLoopExtension : public TGifApplicationExtension {
  KX_CLASS(TGifLoopExtension, TGifApplicationExtension)
 public:
  static const TGifExtensionClassInfo Class;
  TGifExtensionClass GetClass() const override { return &Class; }
  explicit TGifLoopExtension(TGifFrame* Frame);

  int GetLoops() const { return FLoops; }
  void SetLoops(int Value) { FLoops = static_cast<std::uint16_t>(Value); }
  std::uint32_t GetBufferSize() const { return FBufferSize; }
  void SetBufferSize(std::uint32_t Value) { FBufferSize = Value; }

 protected:
  void SaveAppData(TStream* Stream) override;
  void LoadAppData(TStream* Stream) override;

 private:
  std::uint16_t FLoops = 0;
  std::uint32_t FBufferSize = 0;
};

// Registries; a later registration wins.
void RegisterGifExtension(TGifExtensionClass Class);
void RegisterGifAppExtension(const std::string& Identifier, TGifExtensionClass Class);
TGifExtensionClass FindGifExtensionClass(std::uint8_t Label);
TGifExtensionClass FindGifAppExtensionClass(const std::string& Identifier);

class TGifExtensionList : public TGifList {
  KX_CLASS(TGifExtensionList, TGifList)
 public:
  explicit TGifExtensionList(TGifFrame* Frame);
  TGifExtension* GetExtension(int Index) const {
    return static_cast<TGifExtension*>(GetItem(Index));
  }
  // Reads extensions up to the frame's separator or the trailer (Parent: the frame).
  void LoadFromStream(TStream* Stream, TObject* Parent) override;

 private:
  TGifFrame* FFrame;
};
