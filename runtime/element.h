// The root of every element: a scheme owns its elements through this base.
#pragma once

class TKXObject {
 public:
  TKXObject() = default;
  TKXObject(const TKXObject&) = delete;
  TKXObject& operator=(const TKXObject&) = delete;
  virtual ~TKXObject() = default;
};
