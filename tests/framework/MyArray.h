// Stand-in framework for the converter's output (tests only): the array
// template. The converter declares a JASS array as
// sMyArray<T[1],CONST_MAX_SIZE_MASS> and indexes it as a[i][0].
#ifndef JASSCRIBE_STANDIN_MYARRAY_H_
#define JASSCRIBE_STANDIN_MYARRAY_H_

template <class T, int N>
class sMyArray {
 public:
  // Every element starts as its type's default: 0, false, null.
  sMyArray() : vRows(), vOutside(), vDefault() {}

  /// The element row at index; a row is the T[1] the declaration names. An
  /// index outside the array gives a scratch row that holds the default, so
  /// a read gives the default and a write is lost, and no memory is touched.
  T& operator[](int index) {
    if (index >= 0 && index < N) return vRows[index];
    vOutside[0] = vDefault[0];
    return vOutside;
  }

 private:
  T vRows[N];
  T vOutside;
  T vDefault;  // never written
};

#endif  // JASSCRIBE_STANDIN_MYARRAY_H_
