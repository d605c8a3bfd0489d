#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace kovalin {

// Errors of the matrix family.
class eMatriz : public std::runtime_error {
 public:
  explicit eMatriz(const std::string& message) : std::runtime_error(message) {}
};

struct tDim {
  std::int32_t F = 0;  // rows
  std::int32_t C = 0;  // columns
};

// A node of the sparse list: rows are chained through their first node
// (NextRow), the nodes of one row through NextCol, both in ascending order.
struct tNodoMatriz {
  std::int32_t Row = 0;
  std::int32_t Col = 0;
  tNodoMatriz* NextRow = nullptr;
  tNodoMatriz* NextCol = nullptr;
  virtual ~tNodoMatriz() = default;
};

struct tNodoPrecision : tNodoMatriz {
  double Valor = 0;
};

// Base of the matrix family: dimensions and the sparse node list.
class tMatrizGenerica {
 public:
  tMatrizGenerica() = default;
  tMatrizGenerica(const tMatrizGenerica&) = delete;
  tMatrizGenerica& operator=(const tMatrizGenerica&) = delete;
  virtual ~tMatrizGenerica();

  virtual void Done();
  std::int32_t GetDimF() const { return Dim.F; }
  std::int32_t GetDimC() const { return Dim.C; }
  // Frees every node.
  void Zap();
  std::int32_t NumNodos() const { return numNodos_; }

 protected:
  tDim Dim;
  tNodoMatriz* NodoBase = nullptr;
  tNodoMatriz* NodoCursor = nullptr;
  std::int32_t numNodos_ = 0;
};

// Real matrix: sparse nodes, or a dense (F+1) x (C+1) buffer whose row 0 and
// column 0 the owner uses for margins.
class tMatrizPrecision : public tMatrizGenerica {
 public:
  // Dimensions F x C, no nodes, no buffer. Negative dimensions count as 0.
  virtual void Init(std::int32_t F, std::int32_t C);
  void Done() override;

  // Sparse access; raise eMatriz for indices beyond the dimensions.
  virtual double NdGetVal(std::int32_t f, std::int32_t c);
  virtual void NdSetVal(std::int32_t f, std::int32_t c, double value);

  // With a buffer: the buffer element (0 <= i <= F, 0 <= j <= C, the caller
  // keeps them in range). Without: the sparse cell.
  double GetVal(std::int32_t i, std::int32_t j);
  void SetVal(std::int32_t i, std::int32_t j, double value);
  double BfGetVal(std::int32_t i, std::int32_t j) const;
  void BfSetVal(std::int32_t i, std::int32_t j, double value);

  // A fresh buffer with margins 0 and every cell copied from the nodes.
  void ExpandirBuffer();
  // A fresh buffer of zeros, margins included.
  void AnulaBuffer();
  bool HasBuffer() const { return !buffer_.empty(); }

 private:
  // Walks the list towards (f, c); true when that cell has a node, which is
  // then NodoCursor. Otherwise NodoCursor is the last node passed (or null).
  bool Locate(std::int32_t f, std::int32_t c);
  std::size_t Index(std::int32_t i, std::int32_t j) const {
    return static_cast<std::size_t>(i) * static_cast<std::size_t>(Dim.C + 1) +
           static_cast<std::size_t>(j);
  }
  std::vector<double> buffer_;
};

struct tAutoSistema {
  std::int32_t Status = 0;
  bool Vectores = false;
  bool Ortogonal = false;
  bool Normal = false;
  std::vector<std::int32_t> Iteraciones;
  std::vector<double> ReValor;
  std::vector<double> ImValor;
  std::vector<std::vector<double>> MVector;
};

// Square real matrix. Init raises "Matriz no cuadrada" for F != C.
class tMatrizPCuadrada : public tMatrizPrecision {
 public:
  void Init(std::int32_t F, std::int32_t C) override;
  void Done() override;
  const tAutoSistema& Eigen() const { return eigen_; }

 private:
  tAutoSistema eigen_;
};

}  // namespace kovalin
