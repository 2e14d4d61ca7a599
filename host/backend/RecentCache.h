#pragma once
// A bounded cache of what was needed lately.

#include <QHash>
#include <utility>

namespace vcl::backend {

// Values by key, bounded by two generations: when the newer one is full it becomes the
// older one, and a value found in the older one moves back to the newer one. A window
// repaints the same texts again and again, so what a repaint needs is kept while it is
// still shown, and what went out of view goes after two generations.
template <class TKey, class TValue>
class TRecentCache {
public:
  explicit TRecentCache(qsizetype GenerationSize) : FGenerationSize(GenerationSize) {}
  // The value of Key, made by Make() when neither generation has it.
  template <class TMake>
  TValue Find(const TKey& Key, TMake&& Make) {
    if (auto It = FNewer.constFind(Key); It != FNewer.cend()) return It.value();
    TValue Found;
    if (auto It = FOlder.find(Key); It != FOlder.end()) {
      Found = std::move(It.value());
      FOlder.erase(It);
    } else {
      Found = Make();
    }
    if (FNewer.size() >= FGenerationSize) FOlder = std::exchange(FNewer, TGeneration());
    FNewer.insert(Key, Found);
    return Found;
  }

private:
  using TGeneration = QHash<TKey, TValue>;
  qsizetype FGenerationSize;
  TGeneration FNewer;
  TGeneration FOlder;
};

}  // namespace vcl::backend
