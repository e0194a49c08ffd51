// Times the rtttl-parse package parsing one RTTTL file, the peer figure for
// compare_rtttl_parse.sh. Prints the notes found and the first, median and
// fastest parse in milliseconds.
//   node rtttl_parse_time.js FILE [RUNS]
'use strict';

const fs = require('fs');
const path = require('path');
const rtttlParse = require(path.join(__dirname, 'node_modules', 'rtttl-parse'));

const text = fs.readFileSync(process.argv[2], 'latin1');
const runs = Math.max(1, parseInt(process.argv[3] || '20', 10));

const times = [];
let notes = 0;
for (let i = 0; i < runs; i++) {
  const start = process.hrtime.bigint();
  const result = rtttlParse.parse(text);
  const stop = process.hrtime.bigint();
  notes = result.melody.length;
  times.push(Number(stop - start) / 1e6);
}
const first = times[0];
times.sort((a, b) => a - b);
console.log(`notes ${notes}`);
console.log(`first_ms ${first.toFixed(2)}`);
console.log(`median_ms ${times[Math.floor(times.length / 2)].toFixed(2)}`);
console.log(`fastest_ms ${times[0].toFixed(2)}`);
