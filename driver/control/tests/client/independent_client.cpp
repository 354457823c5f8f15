// Only standard headers: the tables below are this client's own reading of
// the published operation order.
#include "driver/control/tests/client/independent_client.h"

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define OP virtual __attribute__((thiscall))
#define CB __attribute__((stdcall))
#else
#define OP virtual
#define CB
#endif

namespace varnclient {
// Not in an unnamed namespace: there no other program could implement the
// tables, and an optimising compiler turns every call through them into a
// call of the pure-virtual handler.
namespace tables {

typedef int32_t I;
typedef char16_t *B;
typedef int32_t(CB *Callback)(int32_t, int32_t);

struct Tuner {
  OP I InputCount() = 0; OP I Input() = 0; OP I SetInput(I) = 0; OP I InputType(I) = 0;
  OP I InputTypeNameLength(I) = 0; OP I InputTypeName(I, B) = 0; OP I StandardCount() = 0;
  OP I SetStandard(I) = 0; OP I Standard() = 0; OP I StandardNameLength(I) = 0;
  OP I StandardName(I, B) = 0; OP I ChannelCount() = 0; OP I Tune(I) = 0;
  OP I ChannelNameLength(I) = 0; OP I ChannelName(I, B) = 0; OP I ChannelNumber(I) = 0;
  OP I CurrentChannel() = 0; OP I ChannelPosition(I) = 0; OP I Rename(I, const char16_t *) = 0;
  OP I Add(const char16_t *, I) = 0; OP I Move(I, I) = 0; OP I Delete(I) = 0; OP I DeleteAll() = 0;
  OP I SetNumber(I, I) = 0; OP I SetProfile(const char16_t *, const char16_t *) = 0;
  OP I OpenKey(const char16_t *) = 0; OP I Save() = 0; OP I Load() = 0; OP I Scan() = 0;
  OP I SeekUp(I) = 0; OP I SeekDown(I) = 0; OP I StepUp(I) = 0; OP I StepDown(I) = 0;
  OP Callback SetCallback(Callback) = 0; OP I Mark() = 0; OP I Restore() = 0;
  OP void *Destroy(uint32_t) = 0;
};

struct Crossbar {
  OP I SourceCount() = 0; OP I SourceType(I) = 0; OP I SetSource(I) = 0; OP I Source() = 0;
  OP I SourceNameLength(I) = 0; OP I SourceName(I, B) = 0; OP I HasAudio(I) = 0;
  OP I SetMute(I) = 0; OP I Mute() = 0; OP I SetVolume(I) = 0; OP I SetInternalVolume(I) = 0;
  OP I Volume() = 0; OP I InternalVolume() = 0; OP I SetStereo(I) = 0; OP I Stereo() = 0;
  OP I SetMode(I) = 0; OP I Mode() = 0; OP I ModeCode(I) = 0; OP I ModeCount() = 0;
  OP I ModeNameLength(I) = 0; OP I ModeName(I, B) = 0; OP I DetectedMode() = 0;
  OP I SetLanguage(I) = 0; OP I LanguageCount() = 0; OP I Language() = 0;
  OP I OpenKey(const char16_t *) = 0; OP I Save() = 0; OP I Load() = 0;
  OP void *Destroy(uint32_t) = 0;
};

#define GROUP(G) OP I Set##G(I) = 0; OP I G() = 0; OP I G##Count() = 0; OP I G##Code(I) = 0; \
  OP I G##NameLength(I) = 0; OP I G##Name(I, B) = 0;
struct Decoder {
  GROUP(Aspect) GROUP(Standard) GROUP(Scale) GROUP(Interlace) GROUP(Depth)
  OP I SetOutput(I) = 0; OP I Output() = 0; OP I SetVcr(I) = 0; OP I Vcr() = 0;
  OP I Locked() = 0; OP I Detected() = 0; OP I OpenKey(const char16_t *) = 0; OP I Save() = 0;
  OP I Load() = 0; OP void *Destroy(uint32_t) = 0;
};
#undef GROUP

struct Port {
  OP I SetAspect(I) = 0; OP I Aspect() = 0; OP I AspectCode(I) = 0; OP I AspectCount() = 0;
  OP I AspectNameLength(I) = 0; OP I AspectName(I, B) = 0;
  OP I SetFormat(I) = 0; OP I Format() = 0; OP I FormatCode(I) = 0; OP I FormatCount() = 0;
  OP I FormatNameLength(I) = 0; OP I FormatName(I, B) = 0;
  OP I SetConnection(I) = 0; OP I Connection() = 0; OP I ConnectionCode(I) = 0;
  OP I ConnectionCount() = 0; OP I ConnectionNameLength(I) = 0; OP I ConnectionName(I, B) = 0;
  OP I SetColour(I) = 0; OP I Colour() = 0; OP I ColourCode(I) = 0; OP I ColourCount() = 0;
  OP I ColourKey() = 0; OP I OpenKey(const char16_t *) = 0; OP I Save() = 0; OP I Load() = 0;
  OP void *Destroy(uint32_t) = 0;
};

struct PictureRange { int32_t minimum, maximum, step, standard; };
struct Picture {
  OP I Range(I, PictureRange *) = 0; OP I Value(I, I *) = 0; OP I SetValue(I, I) = 0;
  OP I OpenKey(const char16_t *) = 0; OP I Save() = 0; OP I Load() = 0;
  OP void *Destroy(uint32_t) = 0;
};

struct Hub {
  OP Tuner *GetTuner() = 0; OP Crossbar *GetCrossbar() = 0; OP Decoder *GetDecoder() = 0;
  OP Picture *GetPicture() = 0; OP Port *GetPort() = 0; OP void Release() = 0;
  OP void *Destroy(uint32_t) = 0;
};

struct Factory {
  OP I Version() = 0; OP I Revision() = 0; OP Hub *Create(I) = 0; OP void Release() = 0;
  OP void *Destroy(uint32_t) = 0;
};

template <class Length, class Get>
std::u16string Read(Length length, Get get) {
  const I n = length();
  if (n <= 0) return std::u16string();
  std::u16string text(static_cast<size_t>(n) + 1, u'#');
  if (!get(&text[0]) || text[static_cast<size_t>(n)] != 0) return u"<bad>";
  text.resize(static_cast<size_t>(n));
  return text;
}

}  // namespace tables

using namespace tables;

ClientReport DriveFactory(void *factoryPointer) {
  ClientReport r;
  auto fail = [&](const char *what) {
    if (r.failure.empty()) r.failure = what;
  };
  Factory *factory = static_cast<Factory *>(factoryPointer);
  if (!factory) return fail("no factory"), r;
  if (factory->Version() != 1 || factory->Revision() != 1) fail("version");
  if (factory->Create(2) != nullptr) fail("version 2 accepted");
  Hub *hub = factory->Create(1);
  factory->Release();
  if (!hub) return fail("no hub"), r;

  Crossbar *x = hub->GetCrossbar();
  Tuner *t = hub->GetTuner();
  Decoder *d = hub->GetDecoder();
  Port *p = hub->GetPort();
  Picture *a = hub->GetPicture();
  if (!x || !t || !d || !p || !a) fail("missing component");
  if (x) {
    for (I i = 0; i < x->SourceCount(); ++i)
      r.sourceNames.push_back(Read([&] { return x->SourceNameLength(i); },
                                   [&](B b) { return x->SourceName(i, b); }));
    // Switch to the last source and back to the tuner's.
    if (x->SourceCount() > 1 && !x->SetSource(x->SourceCount() - 1)) fail("SetSource");
    if (!x->SetSource(0)) fail("SetSource(0)");
    r.selectedSource = x->Source();
    if (!x->SetVolume(60) || x->Volume() != 60) fail("volume");
  }
  if (t) {
    for (I i = 0; i < t->StandardCount(); ++i)
      r.standardNames.push_back(Read([&] { return t->StandardNameLength(i); },
                                     [&](B b) { return t->StandardName(i, b); }));
    if (t->ChannelCount() == 0) t->Scan();
    for (I i = 0; i < t->ChannelCount(); ++i)
      r.channelNames.push_back(Read([&] { return t->ChannelNameLength(i); },
                                    [&](B b) { return t->ChannelName(i, b); }));
    if (t->ChannelCount() > 1 && !t->Tune(1)) fail("Tune");
    r.tunedChannel = t->CurrentChannel();
  }
  if (d) {
    for (I i = 0; i < d->StandardCount(); ++i)
      r.decoderNames.push_back(Read([&] { return d->StandardNameLength(i); },
                                    [&](B b) { return d->StandardName(i, b); }));
    for (I i = 0; i < d->DepthCount(); ++i)
      r.decoderNames.push_back(Read([&] { return d->DepthNameLength(i); },
                                    [&](B b) { return d->DepthName(i, b); }));
  }
  if (p) {
    for (I i = 0; i < p->ConnectionCount(); ++i)
      r.portNames.push_back(Read([&] { return p->ConnectionNameLength(i); },
                                 [&](B b) { return p->ConnectionName(i, b); }));
    if (p->AspectCode(0) != -1) fail("port aspect code");
  }
  if (a) {
    PictureRange range = {1, 1, 1, 1};
    if (a->Range(11, &range) != 0 || range.maximum != 0) fail("picture range 11");
  }
  hub->Release();
  r.ok = r.failure.empty();
  return r;
}

}  // namespace varnclient
