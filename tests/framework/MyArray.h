// Stand-in framework for compiling the converter's output (tests only): the
// array template. The converter declares a JASS array as
// sMyArray<T[1],CONST_MAX_SIZE_MASS> and indexes it as a[i][0].
#ifndef JASSCRIBE_STANDIN_MYARRAY_H_
#define JASSCRIBE_STANDIN_MYARRAY_H_

template <class T, int N>
class sMyArray {
 public:
  /// The element row at index; a row is the T[1] the declaration names.
  T& operator[](int index);
};

#endif  // JASSCRIBE_STANDIN_MYARRAY_H_
