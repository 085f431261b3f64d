// File names are bytes, as the native converter takes them; node hands names over as text.
// Between the program's memory and node's file functions, every byte that is not part of valid
// UTF-8 travels as one character of U+F780-U+F7FF and is turned back into that byte at either
// end, so a name such as "Caf\xe9.csv" reaches the file system unchanged. (A name that really
// holds such a private-use character is read as the byte it stands for.)
(function() {
  var nodeFs = require('fs');
  var fatal = new TextDecoder('utf-8', {fatal: true});
  var Escape = 0xF700;

  function sequenceLength(b) {
    if (b < 0x80) return 1;
    if ((b & 0xE0) === 0xC0) return 2;
    if ((b & 0xF0) === 0xE0) return 3;
    if ((b & 0xF8) === 0xF0) return 4;
    return 0;
  }

  // Bytes to text: valid UTF-8 as itself, any other byte escaped.
  function decodeName(bytes, start, end) {
    var text = '';
    for (var i = start; i < end;) {
      var n = sequenceLength(bytes[i]);
      var ch = null;
      if (n === 1) {
        ch = String.fromCharCode(bytes[i]);
      } else if (n > 1 && i + n <= end) {
        try {
          ch = fatal.decode(bytes.subarray(i, i + n));
        } catch (e) {
          ch = null;
        }
      }
      if (ch === null) {
        text += String.fromCharCode(Escape + bytes[i]);
        i += 1;
      } else {
        text += ch;
        i += n;
      }
    }
    return text;
  }

  function isEscaped(code) {
    return code >= Escape + 0x80 && code <= Escape + 0xFF;
  }

  // Text to bytes: escaped characters as their byte, the rest as UTF-8.
  function encodeName(text) {
    var bytes = [];
    for (var i = 0; i < text.length; ++i) {
      var code = text.codePointAt(i);
      if (code > 0xFFFF) ++i;
      if (isEscaped(code)) {
        bytes.push(code - Escape);
      } else {
        var utf8 = Buffer.from(String.fromCodePoint(code), 'utf8');
        for (var k = 0; k < utf8.length; ++k) bytes.push(utf8[k]);
      }
    }
    return bytes;
  }

  function hasEscape(text) {
    for (var i = 0; i < text.length; ++i)
      if (isEscaped(text.charCodeAt(i))) return true;
    return false;
  }

  // A name for node's file functions: a Buffer of its bytes when it holds escaped bytes.
  function nodeName(path) {
    return typeof path === 'string' && hasEscape(path) ? Buffer.from(encodeName(path)) : path;
  }

  function withNames(name, count) {
    var original = nodeFs[name];
    nodeFs[name] = function() {
      var args = Array.prototype.slice.call(arguments);
      for (var i = 0; i < count && i < args.length; ++i) args[i] = nodeName(args[i]);
      return original.apply(nodeFs, args);
    };
  }
  ['openSync', 'lstatSync', 'statSync', 'mkdirSync', 'writeFileSync', 'rmdirSync', 'unlinkSync',
   'chmodSync', 'chownSync', 'truncateSync', 'utimesSync', 'existsSync', 'accessSync']
      .forEach(function(name) { withNames(name, 1); });
  ['symlinkSync', 'renameSync'].forEach(function(name) { withNames(name, 2); });

  // Names that node gives back are read as bytes.
  var readdirSync = nodeFs.readdirSync;
  nodeFs.readdirSync = function(path) {
    return readdirSync.call(nodeFs, nodeName(path), {encoding: 'buffer'}).map(function(name) {
      return decodeName(name, 0, name.length);
    });
  };
  var readlinkSync = nodeFs.readlinkSync;
  nodeFs.readlinkSync = function(path) {
    var target = readlinkSync.call(nodeFs, nodeName(path), {encoding: 'buffer'});
    return decodeName(target, 0, target.length);
  };

  // The arguments as the process received them: node's own list has lost the bytes of names
  // that are not UTF-8.
  try {
    var cmdline = nodeFs.readFileSync('/proc/self/cmdline');
    var raw = [];
    for (var start = 0, end; start < cmdline.length; start = end + 1) {
      end = cmdline.indexOf(0, start);
      if (end < 0) end = cmdline.length;
      raw.push(decodeName(cmdline, start, end));
    }
    var count = process.argv.length - 2;
    if (count >= 0 && raw.length >= count) Module['arguments'] = raw.slice(raw.length - count);
  } catch (e) {
    // Without /proc the arguments are node's.
  }

  // The runtime's own conversions between memory and text, for every name that crosses.
  Module['preRun'] = (Module['preRun'] || []).concat([function() {
    UTF8ArrayToString = function(heap, idx, maxBytesToRead) {
      var end = idx;
      var limit = maxBytesToRead === undefined ? Infinity : idx + maxBytesToRead;
      while (end < limit && heap[end]) ++end;
      return decodeName(heap, idx, end);
    };
    stringToUTF8Array = function(str, heap, outIdx, maxBytesToWrite) {
      if (!(maxBytesToWrite > 0)) return 0;
      var bytes = encodeName(str);
      var n = Math.min(bytes.length, maxBytesToWrite - 1);
      for (var i = 0; i < n; ++i) heap[outIdx + i] = bytes[i];
      heap[outIdx + n] = 0;
      return n;
    };
  }]);
})();
