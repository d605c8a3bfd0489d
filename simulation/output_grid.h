#pragma once

#include <string>

namespace kovalin {

// The grid page of a results document as a simulation fills it; columns and rows
// are counted from 1.
class tOutputGrid {
 public:
  virtual ~tOutputGrid() = default;
  virtual void Redimension(int cols, int rows) = 0;
  virtual void SetColName(int col, const std::string& name) = 0;
  virtual void SetDecPlaces(int col, int decimals) = 0;
  virtual int GetNrOfColumns() const = 0;
  virtual void SetElem(int col, int row, double value) = 0;
};

}  // namespace kovalin
