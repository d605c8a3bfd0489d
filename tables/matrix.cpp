#include "tables/matrix.h"

namespace kovalin {

tMatrizGenerica::~tMatrizGenerica() { Zap(); }

void tMatrizGenerica::Done() { Zap(); }

void tMatrizGenerica::Zap() {
  tNodoMatriz* row = NodoBase;
  while (row != nullptr) {
    tNodoMatriz* nextRow = row->NextRow;
    tNodoMatriz* node = row;
    while (node != nullptr) {
      tNodoMatriz* next = node->NextCol;
      delete node;
      node = next;
    }
    row = nextRow;
  }
  NodoBase = nullptr;
  NodoCursor = nullptr;
  numNodos_ = 0;
}

void tMatrizPrecision::Init(std::int32_t F, std::int32_t C) {
  Zap();
  buffer_.clear();
  Dim.F = F < 0 ? 0 : F;
  Dim.C = C < 0 ? 0 : C;
}

void tMatrizPrecision::Done() {
  buffer_.clear();
  buffer_.shrink_to_fit();
  tMatrizGenerica::Done();
}

bool tMatrizPrecision::Locate(std::int32_t f, std::int32_t c) {
  NodoCursor = nullptr;
  tNodoMatriz* row = NodoBase;
  if (row == nullptr || row->Row > f) return false;
  while (row->NextRow != nullptr && row->NextRow->Row <= f) row = row->NextRow;
  NodoCursor = row;
  if (row->Row != f) return false;
  tNodoMatriz* node = row;
  if (node->Col > c) return false;
  while (node->NextCol != nullptr && node->NextCol->Col <= c) node = node->NextCol;
  NodoCursor = node;
  return node->Col == c;
}

double tMatrizPrecision::NdGetVal(std::int32_t f, std::int32_t c) {
  if (f > Dim.F || c > Dim.C) throw eMatriz("NdGetVal: Indices de matriz fuera de rango");
  if (!Locate(f, c)) return 0;
  return static_cast<tNodoPrecision*>(NodoCursor)->Valor;
}

void tMatrizPrecision::NdSetVal(std::int32_t f, std::int32_t c, double value) {
  if (f > Dim.F || c > Dim.C) throw eMatriz("NdSetVal: Indices de matriz fuera de rango");
  if (Locate(f, c)) {
    static_cast<tNodoPrecision*>(NodoCursor)->Valor = value;
    return;
  }
  if (value == 0) return;
  auto* node = new tNodoPrecision;
  node->Row = f;
  node->Col = c;
  node->Valor = value;
  ++numNodos_;

  // Find the head of row f and its predecessor among the row heads.
  tNodoMatriz* prevHead = nullptr;
  tNodoMatriz* head = NodoBase;
  while (head != nullptr && head->Row < f) {
    prevHead = head;
    head = head->NextRow;
  }
  if (head == nullptr || head->Row != f) {
    // A new row: the node becomes its head.
    node->NextRow = head;
    if (prevHead == nullptr) NodoBase = node; else prevHead->NextRow = node;
  } else if (head->Col > c) {
    // A new first node of an existing row takes over the row chain.
    node->NextCol = head;
    node->NextRow = head->NextRow;
    head->NextRow = nullptr;
    if (prevHead == nullptr) NodoBase = node; else prevHead->NextRow = node;
  } else {
    tNodoMatriz* prev = head;
    while (prev->NextCol != nullptr && prev->NextCol->Col < c) prev = prev->NextCol;
    node->NextCol = prev->NextCol;
    prev->NextCol = node;
  }
  NodoCursor = node;
}

double tMatrizPrecision::GetVal(std::int32_t i, std::int32_t j) {
  if (!buffer_.empty()) return buffer_[Index(i, j)];
  return NdGetVal(i, j);
}

void tMatrizPrecision::SetVal(std::int32_t i, std::int32_t j, double value) {
  if (!buffer_.empty()) {
    buffer_[Index(i, j)] = value;
    return;
  }
  NdSetVal(i, j, value);
}

double tMatrizPrecision::BfGetVal(std::int32_t i, std::int32_t j) const {
  return buffer_[Index(i, j)];
}

void tMatrizPrecision::BfSetVal(std::int32_t i, std::int32_t j, double value) {
  buffer_[Index(i, j)] = value;
}

void tMatrizPrecision::ExpandirBuffer() {
  std::vector<double> fresh(static_cast<std::size_t>(Dim.F + 1) * static_cast<std::size_t>(Dim.C + 1), 0.0);
  buffer_.swap(fresh);
  for (tNodoMatriz* row = NodoBase; row != nullptr; row = row->NextRow) {
    for (tNodoMatriz* node = row; node != nullptr; node = node->NextCol) {
      if (node->Row >= 1 && node->Row <= Dim.F && node->Col >= 1 && node->Col <= Dim.C) {
        buffer_[Index(node->Row, node->Col)] = static_cast<tNodoPrecision*>(node)->Valor;
      }
    }
  }
}

void tMatrizPrecision::AnulaBuffer() {
  buffer_.assign(static_cast<std::size_t>(Dim.F + 1) * static_cast<std::size_t>(Dim.C + 1), 0.0);
}

void tMatrizPCuadrada::Init(std::int32_t F, std::int32_t C) {
  if (F != C) throw eMatriz("Matriz no cuadrada");
  tMatrizPrecision::Init(F, C);
  eigen_ = tAutoSistema{};
}

void tMatrizPCuadrada::Done() {
  eigen_ = tAutoSistema{};
  tMatrizPrecision::Done();
}

}  // namespace kovalin
