// The page's icons for its web app manifest, cut from the title screen's picture (the data
// pack's Menu1.bmp, 8-bit with a palette): the hero against the sunset, as a square, enlarged
// without smoothing to 192 and 512 pixels.
//   node web/make_icons.mjs MENU1_BMP OUT_DIR
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { deflateSync } from 'node:zlib';

const [from, to] = process.argv.slice(2);
const CROP = { x: 20, y: 190, side: 260 };  // of the 640x480 picture, rows from the top

const bmp = readFileSync(from);
const width = bmp.readInt32LE(18);
const height = bmp.readInt32LE(22);
const bits = bmp.readUInt16LE(28);
const pixels = bmp.readUInt32LE(10);
if (bmp.toString('latin1', 0, 2) !== 'BM' || bits !== 8 || width < CROP.x + CROP.side ||
    Math.abs(height) < CROP.y + CROP.side || pixels > bmp.length) {
  console.error(`${from}: not the 8-bit title picture this expects`);
  process.exit(1);
}
const palette = 14 + bmp.readUInt32LE(14);
const pitch = (width + 3) & ~3;
if (pixels + pitch * Math.abs(height) > bmp.length) {
  console.error(`${from}: cut short`);
  process.exit(1);
}
// The colour at (x, y), rows counted from the top, as [r, g, b].
function at(x, y) {
  const row = height > 0 ? height - 1 - y : y;
  const index = bmp[pixels + row * pitch + x];
  const entry = palette + 4 * index;
  return [bmp[entry + 2], bmp[entry + 1], bmp[entry]];
}

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function crc(bytes) {
  let c = 0xFFFFFFFF;
  for (const b of bytes) c = CRC_TABLE[(c ^ b) & 0xFF] ^ (c >>> 8);
  return (c ^ 0xFFFFFFFF) >>> 0;
}
function chunk(type, data) {
  const out = Buffer.alloc(12 + data.length);
  out.writeUInt32BE(data.length, 0);
  out.write(type, 4, 'latin1');
  data.copy(out, 8);
  out.writeUInt32BE(crc(out.subarray(4, 8 + data.length)), 8 + data.length);
  return out;
}

for (const size of [192, 512]) {
  const raw = Buffer.alloc(size * (1 + 3 * size));
  for (let y = 0; y < size; y++) {
    const line = y * (1 + 3 * size);
    for (let x = 0; x < size; x++) {
      const [r, g, b] = at(CROP.x + Math.floor(x * CROP.side / size), CROP.y + Math.floor(y * CROP.side / size));
      raw[line + 1 + 3 * x] = r;
      raw[line + 2 + 3 * x] = g;
      raw[line + 3 + 3 * x] = b;
    }
  }
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  header[8] = 8;  // bits per channel
  header[9] = 2;  // RGB
  const png = Buffer.concat([Buffer.from([0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A]),
    chunk('IHDR', header), chunk('IDAT', deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
  writeFileSync(join(to, `icon-${size}.png`), png);
}
