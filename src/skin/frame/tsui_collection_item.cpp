#include "skin/frame/tsui_collection_item.h"

#include "framework/controls/stored_picture.h"

namespace somnara::skin {

fw::Bitmap PictureFromValue(const fw::Value& value) {
  fw::Bitmap picture;
  if (value.kind == fw::Value::Kind::kNone) return picture;
  if (value.kind != fw::Value::Kind::kBinary)
    throw fw::Exception("Invalid property value: picture data was expected");
  if (!value.bytes.empty()) picture.LoadFromBytes(fw::StoredPictureFile(value.bytes));
  return picture;
}

fw::Value PictureValue(const fw::Bitmap& picture) {
  fw::Value v;
  v.kind = fw::Value::Kind::kBinary;
  if (!picture.Empty()) v.bytes = picture.SaveToBytes();
  return v;
}

}  // namespace somnara::skin
