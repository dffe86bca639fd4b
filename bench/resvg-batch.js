// Renders every SVG in a folder to a PNG beside it with resvg-js, on as many
// worker threads as asked, in one process: the other side of
// batch-vs-resvg.sh. Usage: node resvg-batch.js FOLDER [THREADS]
const { Worker, isMainThread, workerData } = require('worker_threads');
const fs = require('fs');
const path = require('path');

if (isMainThread) {
    const folder = process.argv[2];
    const threads = Number(process.argv[3] || 2);
    const files = fs.readdirSync(folder).filter((name) => name.endsWith('.svg'));
    for (let t = 0; t < threads; ++t) {
        const share = files.filter((_, i) => i % threads === t);
        new Worker(__filename, { workerData: { folder, share } });
    }
} else {
    const { Resvg } = require('@resvg/resvg-js');
    const { folder, share } = workerData;
    for (const name of share) {
        const svg = fs.readFileSync(path.join(folder, name));
        // Captions are outlines in these files: no system fonts to load.
        const png = new Resvg(svg, { font: { loadSystemFonts: false } }).render().asPng();
        fs.writeFileSync(path.join(folder, name.replace(/\.svg$/, '.png')), png);
    }
}
