// Feeds arbitrary bytes to the standard MIDI file reader and turns what it
// accepts into stream buffers, as the MIDI stream player does.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sound/midi/midi_player.h"
#include "sound/midi/stream_events.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  cSmf smf("fuzz.mid");
  smf.TakeFile({data, data + size});
  if (!smf.Check()) return 0;
  std::vector<std::uint8_t> buffer(cMidiPlayer::kBufferSize);
  std::size_t position = cMidiPlayer::kFirstEvent;
  std::uint32_t carried = 0;
  StreamFill fill;
  do {
    fill = ConvertEvents(smf.Data(), position, smf.DataLength(), carried, buffer);
  } while (!fill.endOfTrack && fill.used > 0);
  return 0;
}
