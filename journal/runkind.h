#pragma once

// What a run practised: a level's lines, a block made from the learner's weak keys, or a text
// file of their own. Kept in the journal as these numbers, which never change meaning.
enum class RunKind { Level = 0, WeakKeys = 1, Text = 2 };
