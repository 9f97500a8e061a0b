using System.Runtime.CompilerServices;

// The tests drive the binding with a stand-in for the native library.
[assembly: InternalsVisibleTo("VyroChannel.Tests")]
