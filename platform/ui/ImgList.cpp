#include "platform/ui/ImgList.h"

RTL_CLASS_IMPL_CREATABLE(TImageList, TComponent)

void TImageList::Destroy() {
  for (TBitmap* image : FImages) image->Free();
  FImages.clear();
  inherited::Destroy();
}

TBitmap* TImageList::CopyOf(TBitmap* image, TColor transparent) const {
  TBitmap* copy = TBitmap::Create();
  if (image) copy->Assign(image);
  if (transparent != clDefault) copy->SetTransparentColor(transparent);
  return copy;
}

int TImageList::Add(TBitmap* image, TBitmap*) { return AddMasked(image, clDefault); }

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
  FImages.push_back(CopyOf(image, maskColor));
  Changed();
  return Count() - 1;
}

void TImageList::Replace(int index, TBitmap* image, TBitmap*) {
  ReplaceMasked(index, image, clDefault);
}

void TImageList::ReplaceMasked(int index, TBitmap* image, TColor maskColor) {
  if (index < 0 || index >= Count()) throw EInvalidOperation("Unable to Replace Image");
  TBitmap* copy = CopyOf(image, maskColor);
  FImages[static_cast<size_t>(index)]->Free();
  FImages[static_cast<size_t>(index)] = copy;
  Changed();
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
  FImages[static_cast<size_t>(index)]->Free();
  FImages.erase(FImages.begin() + index);
  Changed();
}

void TImageList::Clear() {
  for (TBitmap* image : FImages) image->Free();
  FImages.clear();
  Changed();
}

const TBitmap* TImageList::Images(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FImages[static_cast<size_t>(index)];
}

bool TImageList::GetBitmap(int index, TBitmap* image) const {
  const TBitmap* source = Images(index);
  if (!source || !image) return false;
  image->Assign(const_cast<TBitmap*>(source));
  return true;
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}
