#include "tables/matrix.h"

#include <gtest/gtest.h>

namespace kovalin {
namespace {

TEST(MatrixBuffer, ZeroByZeroHoldsOnlyTheGrandTotalCell) {
  tMatrizPrecision m;
  m.Init(0, 0);
  m.ExpandirBuffer();
  m.SetVal(0, 0, 7);
  EXPECT_EQ(m.GetVal(0, 0), 7);
  EXPECT_EQ(m.GetDimF(), 0);
  EXPECT_EQ(m.GetDimC(), 0);
}

TEST(MatrixBuffer, ExpandirBufferCopiesNodesAndZeroesMargins) {
  tMatrizPrecision m;
  m.Init(2, 3);
  m.NdSetVal(1, 2, 4.5);
  m.NdSetVal(2, 3, -1);
  m.NdSetVal(0, 0, 99);  // a sparse margin is not copied
  m.ExpandirBuffer();
  for (int i = 0; i <= 2; ++i) {
    for (int j = 0; j <= 3; ++j) {
      const double expected = (i == 1 && j == 2) ? 4.5 : (i == 2 && j == 3) ? -1 : 0;
      EXPECT_EQ(m.GetVal(i, j), expected) << i << "," << j;
    }
  }
  EXPECT_EQ(m.NumNodos(), 3);  // the nodes stay
}

TEST(MatrixBuffer, AnulaBufferClearsEveryElement) {
  tMatrizPrecision m;
  m.Init(2, 2);
  m.ExpandirBuffer();
  for (int i = 0; i <= 2; ++i)
    for (int j = 0; j <= 2; ++j) m.SetVal(i, j, i * 10 + j + 1);
  m.Zap();
  m.AnulaBuffer();
  for (int i = 0; i <= 2; ++i)
    for (int j = 0; j <= 2; ++j) EXPECT_EQ(m.GetVal(i, j), 0);
}

TEST(MatrixSparse, ValuesReadBackInAnyInsertionOrder) {
  tMatrizPrecision m;
  m.Init(5, 5);
  // Rows and columns out of order, including a new first node of a row and a new first row.
  const int cells[][2] = {{3, 3}, {3, 1}, {1, 5}, {3, 2}, {5, 4}, {1, 1}, {3, 5}, {2, 2}};
  double v = 1;
  for (const auto& c : cells) m.NdSetVal(c[0], c[1], v++);
  v = 1;
  for (const auto& c : cells) EXPECT_EQ(m.NdGetVal(c[0], c[1]), v++) << c[0] << "," << c[1];
  EXPECT_EQ(m.NumNodos(), 8);
  EXPECT_EQ(m.NdGetVal(4, 4), 0);
  EXPECT_EQ(m.NdGetVal(3, 4), 0);
  EXPECT_EQ(m.NdGetVal(1, 3), 0);
  // Without a buffer GetVal/SetVal go to the nodes.
  m.SetVal(4, 4, 2.5);
  EXPECT_EQ(m.GetVal(4, 4), 2.5);
}

TEST(MatrixSparse, ZeroOnAnAbsentCellCreatesNoNode) {
  tMatrizPrecision m;
  m.Init(3, 3);
  m.NdSetVal(2, 2, 0);
  EXPECT_EQ(m.NumNodos(), 0);
  m.NdSetVal(2, 2, 5);
  m.NdSetVal(2, 2, 0);  // an existing node takes 0
  EXPECT_EQ(m.NdGetVal(2, 2), 0);
  EXPECT_EQ(m.NumNodos(), 1);
  m.Zap();
  EXPECT_EQ(m.NumNodos(), 0);
  EXPECT_EQ(m.NdGetVal(2, 2), 0);
}

TEST(MatrixSparse, OutOfRangeRaisesWithItsMessage) {
  tMatrizPrecision m;
  m.Init(2, 3);
  try {
    m.NdGetVal(3, 1);
    FAIL() << "no error";
  } catch (const eMatriz& e) {
    EXPECT_STREQ(e.what(), "NdGetVal: Indices de matriz fuera de rango");
  }
  try {
    m.NdSetVal(1, 4, 1);
    FAIL() << "no error";
  } catch (const eMatriz& e) {
    EXPECT_STREQ(e.what(), "NdSetVal: Indices de matriz fuera de rango");
  }
}

TEST(MatrixSquare, UnequalDimensionsRaise) {
  tMatrizPCuadrada m;
  EXPECT_THROW(m.Init(2, 3), eMatriz);
  try {
    m.Init(3, 2);
  } catch (const eMatriz& e) {
    EXPECT_STREQ(e.what(), "Matriz no cuadrada");
  }
  m.Init(3, 3);
  EXPECT_EQ(m.Eigen().Status, 0);
  m.Done();
}

}  // namespace
}  // namespace kovalin
