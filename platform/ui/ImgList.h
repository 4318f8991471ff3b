// The image list: pictures of one size that actions, menus, tool bars and buttons show by index.
#pragma once

#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"
#include "platform/ui/Graphics.h"

class TImageList : public TComponent {
  RTL_CLASS(TImageList, TComponent)
 public:
  int Width() const { return FWidth; }
  void SetWidth(int value) { FWidth = value; }
  int Height() const { return FHeight; }
  void SetHeight(int value) { FHeight = value; }
  int Count() const { return static_cast<int>(FImages.size()); }

  // Copies the picture in; returns its index. The mask is ignored: transparency comes from the
  // picture's transparent colour or, for AddMasked, from the colour given.
  int Add(TBitmap* image, TBitmap* mask = nullptr);
  int AddMasked(TBitmap* image, TColor maskColor);
  // An index outside the list raises EInvalidOperation "Unable to Replace Image".
  void Replace(int index, TBitmap* image, TBitmap* mask = nullptr);
  void ReplaceMasked(int index, TBitmap* image, TColor maskColor);
  void Delete(int index);
  void Clear();
  // Copies the picture at the index into the bitmap; false (and the bitmap untouched) when
  // there is none.
  bool GetBitmap(int index, TBitmap* image) const;
  // The picture itself; nullptr for an index outside the list.
  const TBitmap* Images(int index) const;

  TNotifyEvent OnChange;

 protected:
  void Destroy() override;

 private:
  TBitmap* CopyOf(TBitmap* image, TColor transparent) const;
  void Changed();

  int FWidth = 16;
  int FHeight = 16;
  std::vector<TBitmap*> FImages;
};
