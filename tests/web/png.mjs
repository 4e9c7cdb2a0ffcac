// Reads the PNG files the headless runner writes (8-bit, palette or RGB, not interlaced) into
// red, green, blue bytes, so that the web tests compare them with the page's canvas.
import { readFileSync } from 'node:fs';
import { inflateSync } from 'node:zlib';

// { width, height, rgb }: three bytes a pixel, top row first.
export function readPng(path) {
  const file = readFileSync(path);
  let at = 8;
  let header = null;
  let palette = null;
  const data = [];
  while (at < file.length) {
    const length = file.readUInt32BE(at);
    const type = file.toString('latin1', at + 4, at + 8);
    const body = file.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8], colour: body[9], interlace: body[12] };
    } else if (type === 'PLTE') {
      palette = body;
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const { width, height, depth, colour, interlace } = header;
  const channels = { 2: 3, 3: 1 }[colour];
  if (depth !== 8 || !channels || interlace !== 0) throw new Error(`${path}: a PNG of a kind not read here`);
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; x++) {
      const a = x >= channels ? rows[y * stride + x - channels] : 0;
      const b = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? rows[(y - 1) * stride + x - channels] : 0;
      const p = a + b - c;
      const pa = Math.abs(p - a);
      const pb = Math.abs(p - b);
      const pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      rows[y * stride + x] = (line[x] + predictor) & 0xff;
    }
  }
  if (channels === 3) return { width, height, rgb: rows };
  const rgb = Buffer.alloc(width * height * 3);
  for (let i = 0; i < width * height; i++) palette.copy(rgb, 3 * i, 3 * rows[i], 3 * rows[i] + 3);
  return { width, height, rgb };
}
