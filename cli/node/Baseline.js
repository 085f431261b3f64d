// V8 compiles the converter's hot WebAssembly functions a second time, optimised, in the
// background; that compiler's working memory (some 35 MiB) would take a small file's whole
// margin under eight times the file and 64 MiB. The first, quick compilation alone converts
// about a sixth slower.
require('v8').setFlagsFromString('--liftoff-only');
