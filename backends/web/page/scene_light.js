// The light of the hour over the scene picture. The game's own code paints
// it (player/scene_light.cpp, through backends/web/scene_light_bridge.cpp),
// as in the window program: the canvas' pixels go to the engine and come
// back lit. Until the engine is there, the picture keeps its daylight.
const kDay = 0;

export function paintLight(engine, context, picture, light) {
  if (!engine || light === kDay || picture < 0) return;
  const { width, height } = context.canvas;
  const pixels = context.getImageData(0, 0, width, height);
  const at = engine._velmora_light_buffer();
  engine.HEAPU8.set(pixels.data, at);
  engine._velmora_paint_light(picture, light);
  pixels.data.set(engine.HEAPU8.subarray(at, at + pixels.data.length));
  context.putImageData(pixels, 0, 0);
}
