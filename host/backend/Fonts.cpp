// Framework fonts as Qt fonts.

#include "Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QEvent>
#include <QGuiApplication>
#include <unordered_map>

namespace vcl::backend {

namespace {

QString FamilyOrSans(const AnsiString& Name) {
  const QString Family = QString::fromUtf8(Name.c_str());
  if (!Family.isEmpty() && QFontDatabase::hasFamily(Family)) return Family;
  QFont Sans;
  Sans.setStyleHint(QFont::SansSerif);
  return QFontInfo(Sans).family();
}

QFont Resolve(const TFont& Font) {
  QFont Result(FamilyOrSans(Font.GetName()));
  // Crisp pixels as the classic bitmap fonts had; it also keeps pixel tests exact.
  Result.setStyleStrategy(QFont::NoAntialias);
  // The classic text functions do not kern; without kerning most text needs no shaping.
  Result.setKerning(false);
  Result.setBold(Font.GetStyle().Contains(fsBold));
  Result.setItalic(Font.GetStyle().Contains(fsItalic));
  Result.setUnderline(Font.GetStyle().Contains(fsUnderline));
  Result.setStrikeOut(Font.GetStyle().Contains(fsStrikeOut));
  if (Font.GetPitch() == fpFixed) Result.setFixedPitch(true);
  const int Height = Font.GetHeight();
  constexpr int DefaultPixels = 11;
  if (Height <= 0) {
    Result.setPixelSize(Height < 0 ? -Height : DefaultPixels);
  } else {
    // A cell height: the largest character height whose line fits in it.
    int Pixels = std::max(Height, 1);
    for (Result.setPixelSize(Pixels); Pixels > 1 && QFontMetrics(Result).height() > Height;) Result.setPixelSize(--Pixels);
  }
  return Result;
}

// What decides the Qt font; the colour and character set do not.
struct TFontKey {
  AnsiString Name;
  int Height;
  std::uint32_t Style;
  TFontPitch Pitch;
  bool operator==(const TFontKey&) const = default;
};

struct TFontKeyHash {
  std::size_t operator()(const TFontKey& Key) const {
    std::size_t H = std::hash<AnsiString>()(Key.Name);
    for (const std::size_t Part : {static_cast<std::size_t>(Key.Height), static_cast<std::size_t>(Key.Style),
                                   static_cast<std::size_t>(Key.Pitch)})
      H = H * 1000003u ^ Part;
    return H;
  }
};

// Asking the font database is slow, and a canvas draws with a handful of fonts over and
// over. The cache is emptied when the system's fonts or the application default change
// (the sans fallback depends on both) and when the application goes.
class TFontCache {
public:
  const TQtFont& Find(const TFont& Font) {
    if (!FWatcher && qGuiApp) FWatcher = new TWatcher(*this);
    TFontKey Key{Font.GetName(), Font.GetHeight(), Font.GetStyle().ToInt(), Font.GetPitch()};
    // Text is mostly drawn in runs of one font.
    if (FLast && FLast->first == Key) return FLast->second;
    if (auto It = FFonts.find(Key); It != FFonts.end()) {
      FLast = &*It;
      return It->second;
    }
    if (FFonts.size() >= MaxFonts) Forget();
    QFont Resolved = Resolve(Font);
    QFont Smooth = Resolved;
    Smooth.setStyleStrategy(QFont::PreferAntialias);
    QFontMetrics Metrics(Resolved);
    const int DotsWidth = Metrics.horizontalAdvance(QStringLiteral("..."));
    std::shared_ptr<const TGlyphTable> Glyphs, SmoothGlyphs;
    if (!Resolved.underline() && !Resolved.strikeOut()) {
      Glyphs = std::make_shared<const TGlyphTable>(Resolved);
      SmoothGlyphs = std::make_shared<const TGlyphTable>(Smooth);
    }
    TQtFont Entry{std::move(Resolved), std::move(Smooth), std::move(Metrics), ++FSerial, DotsWidth, std::move(Glyphs),
                  std::move(SmoothGlyphs)};
    FLast = &*FFonts.emplace(std::move(Key), std::move(Entry)).first;
    return FLast->second;
  }

private:
  static constexpr std::size_t MaxFonts = 256;

  void Forget() {
    FFonts.clear();
    FLast = nullptr;
  }

  // A child of the application: it hears of font changes and goes with the application.
  class TWatcher : public QObject {
  public:
    explicit TWatcher(TFontCache& Cache) : QObject(qGuiApp), FCache(Cache) {
      FCache.Forget();
      qGuiApp->installEventFilter(this);
      connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, [this] { FCache.Forget(); });
    }
    ~TWatcher() override {
      FCache.Forget();
      FCache.FWatcher = nullptr;
    }
    bool eventFilter(QObject* Object, QEvent* Event) override {
      if (Object == qGuiApp && Event->type() == QEvent::ApplicationFontChange) FCache.Forget();
      return false;
    }

  private:
    TFontCache& FCache;
  };

  using TFonts = std::unordered_map<TFontKey, TQtFont, TFontKeyHash>;
  TFonts FFonts;
  TFonts::value_type* FLast = nullptr;
  std::uint64_t FSerial = 0;
  TWatcher* FWatcher = nullptr;
};

}  // namespace

const TQtFont& QtFontOf(const TFont& Font) {
  // Never destroyed: canvases of static objects may still measure text at exit.
  static auto* Cache = new TFontCache;
  return Cache->Find(Font);
}

int TextWidthOf(const TQtFont& Font, const QString& Text) {
  TGlyphLine Line;
  if (Font.Glyphs && Font.Glyphs->Lay(Text, Line)) return qRound(Line.Width());
  return Font.Metrics.horizontalAdvance(Text);
}

TSize TextExtentOf(const TFont& Font, const AnsiString& Text) {
  const TQtFont& QtFont = QtFontOf(Font);
  return TSize{TextWidthOf(QtFont, QString::fromUtf8(Text.c_str())), QtFont.Metrics.height()};
}

}  // namespace vcl::backend
