// Fuzz target: arbitrary bytes as FEN text, then generation and a make-move walk on
// positions that pass the usable check.
#include <cstddef>
#include <cstdint>
#include <string>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/usable.h"
#include "board/zobrist.h"
#include "movegen/generate_moves.h"
#include "shell/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool ready = (init_engine_tables(), true);
    (void)ready;
    std::string text(reinterpret_cast<const char*>(data), size);
    Position position{};
    read_fen(text.c_str(), position);
    char fen[FEN_BUFFER_SIZE];
    write_fen(position, fen);
    if (!position_is_usable(position)) return 0;
    hash_key = compute_hash_key(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    piece_counts = count_pieces(position);
    ply = 0;
    // Walk a few plies, choosing moves from the input bytes.
    for (std::size_t step = 0; step < 16; ++step) {
        MoveList list;
        int count = generate_moves(position, list);
        int legal = 0;
        Move chosen = 0;
        for (int i = 0; i < count; ++i) {
            Position copy = position;
            PieceCounts counts = piece_counts;
            std::uint64_t keys[2] = {hash_key, pawn_hash_key};
            if (make_move(copy, list[i]) && (legal++ == 0 || data[step % size] % legal == 0))
                chosen = list[i];
            piece_counts = counts;
            hash_key = keys[0];
            pawn_hash_key = keys[1];
        }
        if (!legal) break;
        make_move(position, chosen);
        if (hash_key != compute_hash_key(position)) __builtin_trap();
    }
    return 0;
}
